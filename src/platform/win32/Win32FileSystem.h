// Files and folders through the W functions, the program's code page 932 paths converted.
#pragma once

#include "platform/FileSystem.h"

namespace korvane::platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  std::string ExecutableFolder() override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool AppendFile(const std::string& path, const std::string& bytes) override;
  bool ReplaceFile(const std::string& path, const std::string& bytes) override;
  bool CreateFolder(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
};

}  // namespace korvane::platform::win32
