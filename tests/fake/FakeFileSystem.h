// Files and folders in memory, with names matched without regard to case as on Windows.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace korvane::fake {

// Upper-case ASCII letters made lower, leaving the second byte of a double-byte character
// alone (it can fall in the ASCII letter range).
std::string FoldCase932(const std::string& path);

class FakeFileSystem : public platform::FileSystem {
 public:
  explicit FakeFileSystem(std::string executableFolder = "C:\\Korvane\\");

  // Test set-up: makes the folders on the way.
  void PutFile(const std::string& path, const std::string& bytes);
  void MakeFolders(const std::string& folder);
  void RemoveFile(const std::string& path);
  void RemoveFolderTree(const std::string& folder);
  // The bytes of a file, or nothing; and the name it was last written under.
  std::optional<std::string> Bytes(const std::string& path) const;
  std::string StoredName(const std::string& path) const;
  std::vector<std::string> FilesIn(const std::string& folder) const;

  // Paths (any case) that fail to be read or written.
  std::set<std::string> Unreadable;
  std::set<std::string> Unwritable;
  // Every successful write, in order: "write <path>", "replace <path>", "append <path>";
  // kept where JournalTo points (a platform shares one journal among its services).
  std::vector<std::string> Journal;
  std::vector<std::string>* JournalTo = &Journal;

  std::string ExecutableFolder() override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool AppendFile(const std::string& path, const std::string& bytes) override;
  bool ReplaceFile(const std::string& path, const std::string& bytes) override;
  bool CreateFolder(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;

 private:
  struct File {
    std::string name;
    std::string bytes;
  };
  bool ParentExists(const std::string& path) const;
  bool Writable(const std::string& path) const;

  std::string executableFolder_;
  std::map<std::string, File> files_;
  std::set<std::string> folders_;
};

}  // namespace korvane::fake
