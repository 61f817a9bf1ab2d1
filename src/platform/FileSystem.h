// Files and folders of the installation. Paths are relative to the executable's folder
// ("Data\Setting.dat", "log.txt"), code page 932, with backslashes; names match without regard
// to case. The folder itself stays with the platform in the system's own form, so that an
// installation under a folder named outside code page 932 works like any other. Text-mode
// conversion is the caller's (see TextMode.h): these move bytes.
#pragma once

#include <optional>
#include <string>

namespace korvane::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The full path, for a message to the user only: a character that code page 932 lacks
  // shows as "?".
  virtual std::string DisplayPath(const std::string& path) = 0;

  // The whole file; nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Creates or truncates the file and writes the bytes; they are on disk when this returns.
  virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
  // Appends to the file, creating it; the file is closed again before this returns.
  virtual bool AppendFile(const std::string& path, const std::string& bytes) = 0;
  // Writes beside the file, flushes, then replaces it: a crash leaves either the old or the
  // new file, never a part of one.
  virtual bool ReplaceFile(const std::string& path, const std::string& bytes) = 0;
  // Renames `from` to `to`, replacing a file there, in one step that is on disk when this
  // returns.
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
  // False when the file was not there or could not be deleted.
  virtual bool DeleteFile(const std::string& path) = 0;

  // Creates one folder level; false when it exists already or cannot be made.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Removes an empty folder; false when it holds anything or is not there.
  virtual bool RemoveFolder(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace korvane::platform
