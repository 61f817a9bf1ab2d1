#include "fake/FakeFileSystem.h"

namespace korvane::fake {

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string WithoutTrailingBackslash(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::string ParentOf(const std::string& path) {
  std::string p = WithoutTrailingBackslash(path);
  auto slash = p.rfind('\\');
  return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

}  // namespace

std::string FoldCase932(const std::string& path) {
  std::string out = path;
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<unsigned char>(out[i]);
    if (IsLeadByte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

FakeFileSystem::FakeFileSystem(std::string executableFolder)
    : executableFolder_(std::move(executableFolder)) {
  MakeFolders(executableFolder_);
}

void FakeFileSystem::MakeFolders(const std::string& folder) {
  std::string path = WithoutTrailingBackslash(folder);
  while (!path.empty() && folders_.insert(FoldCase932(path)).second) path = ParentOf(path);
}

void FakeFileSystem::PutFile(const std::string& path, const std::string& bytes) {
  MakeFolders(ParentOf(path));
  files_[FoldCase932(path)] = File{path, bytes};
}

void FakeFileSystem::RemoveFile(const std::string& path) { files_.erase(FoldCase932(path)); }

void FakeFileSystem::RemoveFolderTree(const std::string& folder) {
  const std::string prefix = FoldCase932(WithoutTrailingBackslash(folder));
  auto under = [&](const std::string& key) {
    return key == prefix || key.compare(0, prefix.size() + 1, prefix + "\\") == 0;
  };
  for (auto it = files_.begin(); it != files_.end();) it = under(it->first) ? files_.erase(it) : ++it;
  for (auto it = folders_.begin(); it != folders_.end();) {
    it = under(*it) ? folders_.erase(it) : ++it;
  }
}

std::optional<std::string> FakeFileSystem::Bytes(const std::string& path) const {
  auto it = files_.find(FoldCase932(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

std::string FakeFileSystem::StoredName(const std::string& path) const {
  auto it = files_.find(FoldCase932(path));
  return it == files_.end() ? std::string() : it->second.name;
}

std::vector<std::string> FakeFileSystem::FilesIn(const std::string& folder) const {
  const std::string prefix = FoldCase932(WithoutTrailingBackslash(folder)) + "\\";
  std::vector<std::string> names;
  for (const auto& [key, file] : files_) {
    if (key.compare(0, prefix.size(), prefix) == 0 && key.find('\\', prefix.size()) == std::string::npos) {
      names.push_back(file.name.substr(file.name.rfind('\\') + 1));
    }
  }
  return names;
}

bool FakeFileSystem::ParentExists(const std::string& path) const {
  return folders_.count(FoldCase932(ParentOf(path))) != 0;
}

bool FakeFileSystem::Writable(const std::string& path) const {
  return ParentExists(path) && Unwritable.count(FoldCase932(path)) == 0 &&
         folders_.count(FoldCase932(path)) == 0;
}

std::string FakeFileSystem::ExecutableFolder() { return executableFolder_; }

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) {
  if (Unreadable.count(FoldCase932(path)) != 0) return std::nullopt;
  return Bytes(path);
}

bool FakeFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
  if (!Writable(path)) return false;
  files_[FoldCase932(path)] = File{path, bytes};
  JournalTo->push_back("write " + path);
  return true;
}

bool FakeFileSystem::AppendFile(const std::string& path, const std::string& bytes) {
  if (!Writable(path)) return false;
  File& file = files_[FoldCase932(path)];
  if (file.name.empty()) file.name = path;
  file.bytes += bytes;
  JournalTo->push_back("append " + path);
  return true;
}

bool FakeFileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
  if (!Writable(path)) return false;
  files_[FoldCase932(path)] = File{path, bytes};
  JournalTo->push_back("replace " + path);
  return true;
}

bool FakeFileSystem::CreateFolder(const std::string& path) {
  const std::string key = FoldCase932(WithoutTrailingBackslash(path));
  if (folders_.count(key) != 0 || !ParentExists(path)) return false;
  folders_.insert(key);
  return true;
}

bool FakeFileSystem::FolderExists(const std::string& path) {
  return folders_.count(FoldCase932(WithoutTrailingBackslash(path))) != 0;
}

bool FakeFileSystem::FileExists(const std::string& path) {
  return files_.count(FoldCase932(path)) != 0;
}

}  // namespace korvane::fake
