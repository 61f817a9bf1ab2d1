// Files and folders in memory, as Windows would treat the program's paths: relative to an
// installation folder (named outside code page 932 here, so a path that names it itself
// fails), names matched without regard to case, trailing dots and blanks dropped from each
// name, "." and ".." resolved, device names and the characters Windows rejects refused.
// Failures a disk can have are switches shared by all tests.
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
  // The installation's folder, C:\Users\Jürgen\한국\Korvane\, as a message shows it: code
  // page 932 has no form for ü, 한 or 국. The program learns nothing else of it.
  std::string Installation = "C:\\Users\\J?rgen\\??\\Korvane\\";

  // Test set-up: makes the folders on the way. Paths are relative to the installation.
  void PutFile(const std::string& path, const std::string& bytes);
  void MakeFolders(const std::string& folder);
  void RemoveFile(const std::string& path);
  void RemoveFolderTree(const std::string& folder);
  // The bytes of a file, or nothing; and the name it was last written under.
  std::optional<std::string> Bytes(const std::string& path) const;
  std::string StoredName(const std::string& path) const;
  std::vector<std::string> FilesIn(const std::string& folder) const;
  // What another process finds on this disk: the files and folders, without the switches.
  void TakeDiskOf(const FakeFileSystem& other);

  // Paths (any case) that fail to be read or written.
  std::set<std::string> Unreadable;
  std::set<std::string> Unwritable;
  // Counted over every change of the disk (write, append, replace, move, delete, new folder):
  // with N >= 0, the change after the next N and all later ones that need room fail (a
  // full disk) ...
  int ChangesBeforeFailure = -1;
  // ... or, for a process killed at that moment, never reach the disk while the program
  // carries on as if they had.
  int ChangesBeforeKill = -1;
  // Paths that resolved outside the installation, and that named a device: each one an
  // access that Windows would have let out of the program's own folders.
  std::vector<std::string> Outside;
  std::vector<std::string> Devices;
  // Every successful write, in order: "write <path>", "replace <path>", "append <path>",
  // "move <from> <to>", "delete <path>"; kept where JournalTo points (a platform shares one
  // journal among its services).
  std::vector<std::string> Journal;
  std::vector<std::string>* JournalTo = &Journal;

  std::string DisplayPath(const std::string& path) override { return Installation + path; }
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

 private:
  struct File {
    std::string name;
    std::string bytes;
  };
  // The key of a path as Windows resolves it; nothing for one it refuses.
  std::optional<std::string> Resolve(const std::string& path);
  bool ParentExists(const std::string& key) const;
  bool Writable(const std::string& key);
  bool Listed(const std::set<std::string>& paths, const std::string& key);
  // Applies one change of the disk, as the switches above allow: false when it fails.
  // `needsRoom`: a write (a full disk fails it) rather than a rename or a delete.
  template <typename Apply>
  bool Change(bool needsRoom, Apply apply);

  std::map<std::string, File> files_;
  std::set<std::string> folders_{""};  // "" is the installation folder itself
};

}  // namespace korvane::fake
