// Files and folders. Paths are code page 932, with backslashes; names match without regard
// to case. Text-mode conversion is the caller's (see TextMode.h): these move bytes.
#pragma once

#include <optional>
#include <string>

namespace korvane::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The executable's folder, up to and including its last backslash.
  virtual std::string ExecutableFolder() = 0;

  // The whole file; nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Creates or truncates the file and writes the bytes.
  virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
  // Appends to the file, creating it; the file is closed again before this returns.
  virtual bool AppendFile(const std::string& path, const std::string& bytes) = 0;
  // Writes beside the file, flushes, then replaces it: a crash leaves either the old or the
  // new file, never a part of one.
  virtual bool ReplaceFile(const std::string& path, const std::string& bytes) = 0;

  // Creates one folder level; false when it exists already or cannot be made.
  virtual bool CreateFolder(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace korvane::platform
