#include "memory/SaveBatch.h"

#include <cstddef>

#include "platform/FileNames.h"
#include "platform/TextMode.h"

namespace korvane {

namespace {

constexpr char kJournalHeader[] = "Korvane save journal";
constexpr char kJournalEnd[] = "end";
constexpr char kNewSuffix[] = ".new";

// Only files below the installation's folder are ever replaced, whatever a journal says.
bool IsInstallationPath(const std::string& path) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('\\', start);
    const std::string part = path.substr(start, slash == std::string::npos ? slash : slash - start);
    if (!platform::IsPlainFileName(part)) return false;
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

SaveBatch::SaveBatch(platform::FileSystem& files, std::string journal)
    : disk_(files), journal_(std::move(journal)) {}

void SaveBatch::MakeFolder(const std::string& folder) { folders_.push_back(folder); }

void SaveBatch::Put(const std::string& path, std::string bytes) {
  files_.emplace_back(path, std::move(bytes));
}

bool SaveBatch::Commit() {
  // What an earlier batch left unfinished comes first: its new files must not be mixed
  // with ours.
  if (!Recover(disk_, journal_)) return false;
  for (const std::string& folder : folders_) disk_.CreateFolder(folder);

  std::size_t written = 0;
  auto forget = [&] {
    for (std::size_t i = 0; i < written; ++i) disk_.DeleteFile(files_[i].first + kNewSuffix);
    return false;
  };
  std::string journal = std::string(kJournalHeader) + "\n";
  for (const auto& [path, bytes] : files_) {
    if (!disk_.WriteFile(path + kNewSuffix, bytes)) return forget();
    ++written;
    journal += path + "\n";
  }
  journal += std::string(kJournalEnd) + "\n";
  // From here on the batch is decided: the journal stands for it until it is carried out.
  if (!disk_.ReplaceFile(journal_, platform::ToTextModeBytes(journal))) return forget();
  return Recover(disk_, journal_);
}

bool SaveBatch::Recover(platform::FileSystem& files, const std::string& journal) {
  const auto bytes = files.ReadFile(journal);
  if (!bytes) return !files.FileExists(journal);
  const std::vector<std::string> lines = Lines(platform::FromTextModeBytes(*bytes));
  // The journal is written in one piece, so one without its end was not written by us: it
  // decides nothing.
  const bool whole = lines.size() >= 2 && lines.front() == kJournalHeader &&
                     lines.back() == kJournalEnd;
  bool done = true;
  if (whole) {
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
      const std::string& target = lines[i];
      if (!IsInstallationPath(target)) continue;
      // A new file that is gone has taken its place already, before the crash.
      const std::string fresh = target + kNewSuffix;
      if (files.FileExists(fresh) && !files.MoveFile(fresh, target)) done = false;
    }
  }
  if (!done) return false;
  return files.DeleteFile(journal) || !files.FileExists(journal);
}

}  // namespace korvane
