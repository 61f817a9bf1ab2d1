// Files and folders through the W functions: the installation's folder kept in UTF-16 as the
// system gives it, the program's code page 932 relative paths converted and joined to it.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace korvane::platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  // The executable's folder.
  Win32FileSystem();
  // Another folder, ending with a backslash (tests).
  explicit Win32FileSystem(std::wstring base) : base_(std::move(base)) {}

  std::string DisplayPath(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool AppendFile(const std::string& path, const std::string& bytes) override;
  bool ReplaceFile(const std::string& path, const std::string& bytes) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;

  // The full path of a relative one.
  std::wstring Full(const std::string& path) const;

 private:
  std::wstring base_;
};

// The executable's folder, up to and including its last backslash.
std::wstring ExecutableFolderW();

}  // namespace korvane::platform::win32
