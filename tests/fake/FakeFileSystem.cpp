#include "fake/FakeFileSystem.h"

#include <algorithm>
#include <cstring>

namespace korvane::fake {

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string ParentKey(const std::string& key) {
  const auto slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

std::string LastName(const std::string& path) {
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasRefusedCharacter(const std::string& name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(c)) {
      ++i;
    } else if (c < 0x20 || std::strchr("<>:\"/|?*", static_cast<char>(c)) != nullptr) {
      return true;
    }
  }
  return false;
}

bool IsDevice(const std::string& name) {
  std::string base = FoldCase932(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "con" || base == "prn" || base == "aux" || base == "nul" || base == "conin$" ||
      base == "conout$") {
    return true;
  }
  return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
         base[3] >= '0' && base[3] <= '9';
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

std::optional<std::string> FakeFileSystem::Resolve(const std::string& path) {
  if (path.empty() || path.front() == '\\' || path.find(':') != std::string::npos) {
    // A drive or a root: the program named a folder of its own instead of the installation's.
    Outside.push_back(path);
    return std::nullopt;
  }
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    std::string name = path.substr(start, end - start);
    start = end + 1;
    if (name == "..") {
      if (names.empty()) {
        Outside.push_back(path);
        return std::nullopt;
      }
      names.pop_back();
      continue;
    }
    // Windows drops a name's trailing dots and blanks: "abc." is "abc", "..." is ".".
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (name.empty()) continue;
    if (HasRefusedCharacter(name)) return std::nullopt;
    if (IsDevice(name)) {
      Devices.push_back(path);
      return std::nullopt;
    }
    names.push_back(FoldCase932(name));
  }
  std::string key;
  for (const std::string& name : names) key += (key.empty() ? "" : "\\") + name;
  return key;
}

void FakeFileSystem::MakeFolders(const std::string& folder) {
  auto key = Resolve(folder);
  while (key && folders_.insert(*key).second) key = ParentKey(*key);
}

void FakeFileSystem::PutFile(const std::string& path, const std::string& bytes) {
  const auto key = Resolve(path);
  if (!key) return;
  for (std::string parent = ParentKey(*key); folders_.insert(parent).second;) {
    parent = ParentKey(parent);
  }
  files_[*key] = File{path, bytes};
}

void FakeFileSystem::RemoveFile(const std::string& path) {
  if (const auto key = Resolve(path)) files_.erase(*key);
}

void FakeFileSystem::RemoveFolderTree(const std::string& folder) {
  const auto prefix = Resolve(folder);
  if (!prefix) return;
  auto under = [&](const std::string& key) {
    return key == *prefix || key.compare(0, prefix->size() + 1, *prefix + "\\") == 0;
  };
  for (auto it = files_.begin(); it != files_.end();) {
    it = under(it->first) ? files_.erase(it) : ++it;
  }
  for (auto it = folders_.begin(); it != folders_.end();) {
    it = under(*it) && !it->empty() ? folders_.erase(it) : ++it;
  }
}

std::optional<std::string> FakeFileSystem::Bytes(const std::string& path) const {
  const auto key = const_cast<FakeFileSystem*>(this)->Resolve(path);
  if (!key) return std::nullopt;
  auto it = files_.find(*key);
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

std::string FakeFileSystem::StoredName(const std::string& path) const {
  const auto key = const_cast<FakeFileSystem*>(this)->Resolve(path);
  if (!key) return {};
  auto it = files_.find(*key);
  return it == files_.end() ? std::string() : it->second.name;
}

std::vector<std::string> FakeFileSystem::FilesIn(const std::string& folder) const {
  const auto prefix = const_cast<FakeFileSystem*>(this)->Resolve(folder);
  std::vector<std::string> names;
  if (!prefix) return names;
  for (const auto& [key, file] : files_) {
    if (ParentKey(key) == *prefix) names.push_back(LastName(file.name));
  }
  return names;
}

void FakeFileSystem::TakeDiskOf(const FakeFileSystem& other) {
  files_ = other.files_;
  folders_ = other.folders_;
}

bool FakeFileSystem::ParentExists(const std::string& key) const {
  return folders_.count(ParentKey(key)) != 0;
}

bool FakeFileSystem::Listed(const std::set<std::string>& paths, const std::string& key) {
  for (const std::string& path : paths) {
    if (Resolve(path) == key) return true;
  }
  return false;
}

bool FakeFileSystem::Writable(const std::string& key) {
  return ParentExists(key) && !Listed(Unwritable, key) && folders_.count(key) == 0;
}

template <typename Apply>
bool FakeFileSystem::Change(bool needsRoom, Apply apply) {
  // Killed: nothing more reaches the disk, while the program goes on as if it had.
  if (ChangesBeforeKill == 0) return true;
  if (ChangesBeforeFailure == 0 && needsRoom) return false;
  if (ChangesBeforeKill > 0) --ChangesBeforeKill;
  if (ChangesBeforeFailure > 0) --ChangesBeforeFailure;
  apply();
  return true;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) {
  const auto key = Resolve(path);
  if (!key || Listed(Unreadable, *key)) return std::nullopt;
  auto it = files_.find(*key);
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

bool FakeFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
  const auto key = Resolve(path);
  if (!key || !Writable(*key)) return false;
  return Change(true, [&] {
    files_[*key] = File{path, bytes};
    JournalTo->push_back("write " + path);
  });
}

bool FakeFileSystem::AppendFile(const std::string& path, const std::string& bytes) {
  const auto key = Resolve(path);
  if (!key || !Writable(*key)) return false;
  return Change(true, [&] {
    File& file = files_[*key];
    if (file.name.empty()) file.name = path;
    file.bytes += bytes;
    JournalTo->push_back("append " + path);
  });
}

bool FakeFileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
  const auto key = Resolve(path);
  if (!key || !Writable(*key)) return false;
  return Change(true, [&] {
    files_[*key] = File{path, bytes};
    JournalTo->push_back("replace " + path);
  });
}

bool FakeFileSystem::MoveFile(const std::string& from, const std::string& to) {
  const auto source = Resolve(from);
  const auto target = Resolve(to);
  if (!source || !target || files_.count(*source) == 0 || !Writable(*target)) return false;
  return Change(false, [&] {
    File file = files_[*source];
    files_.erase(*source);
    file.name = to;
    files_[*target] = file;
    JournalTo->push_back("move " + from + " " + to);
  });
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
  const auto key = Resolve(path);
  if (!key || files_.count(*key) == 0) return false;
  return Change(false, [&] {
    files_.erase(*key);
    JournalTo->push_back("delete " + path);
  });
}

bool FakeFileSystem::CreateFolder(const std::string& path) {
  const auto key = Resolve(path);
  if (!key || folders_.count(*key) != 0 || files_.count(*key) != 0 || !ParentExists(*key)) {
    return false;
  }
  return Change(true, [&] {
    folders_.insert(*key);
  });
}

bool FakeFileSystem::RemoveFolder(const std::string& path) {
  const auto key = Resolve(path);
  if (!key || key->empty() || folders_.count(*key) == 0) return false;
  const std::string inside = *key + "\\";
  auto holds = [&](const std::set<std::string>& names) {
    const auto next = names.lower_bound(inside);
    return next != names.end() && next->compare(0, inside.size(), inside) == 0;
  };
  if (holds(folders_)) return false;
  for (const auto& [name, bytes] : files_) {
    if (name.compare(0, inside.size(), inside) == 0) return false;
  }
  return Change(false, [&] {
    folders_.erase(*key);
    JournalTo->push_back("remove folder " + path);
  });
}

bool FakeFileSystem::FolderExists(const std::string& path) {
  const auto key = Resolve(path);
  return key && folders_.count(*key) != 0;
}

bool FakeFileSystem::FileExists(const std::string& path) {
  const auto key = Resolve(path);
  return key && files_.count(*key) != 0;
}

}  // namespace korvane::fake
