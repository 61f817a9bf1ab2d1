// Reading and writing a memory table's folder.
#include "memory/MemoryFiles.h"
#include "memory/Memorytable.h"
#include "memory/SaveBatch.h"

namespace korvane {

namespace {
// A count far beyond the files present must not make the load try every number up to it.
constexpr int kMissingFilesBeforeGivingUp = 100;
}  // namespace

bool MemoryTable::Load(const std::string& folder, bool locked) {
  platform::FileSystem& files = Owner.System.Files();
  const std::string& base = folder;

  std::optional<std::int32_t> count;
  if (auto bytes = files.ReadFile(base + CountFileReadName())) count = DecodeCountFile(*bytes);

  if (count) {
    // A memory file that is missing or unreadable is passed over; the others keep their order.
    int missing = 0;
    for (std::int32_t i = 0; i < *count && missing < kMissingFilesBeforeGivingUp; ++i) {
      auto bytes = files.ReadFile(base + MemoryFileReadName(i));
      if (!bytes) {
        ++missing;
        continue;
      }
      missing = 0;
      AddMemory(-1, locked, DecodeMemoryFile(*bytes));
    }
    return true;
  }

  // Without a usable count file the memories are still on disk: take the files present from
  // memory0.dat on, so that the next save writes a count for them again.
  for (int i = 0;; ++i) {
    auto bytes = files.ReadFile(base + MemoryFileReadName(i));
    if (!bytes) break;
    AddMemory(-1, locked, DecodeMemoryFile(*bytes));
  }
  return false;
}

void MemoryTable::DeleteFolder(platform::FileSystem& files, const std::string& folder) {
  std::int32_t count = 0;
  if (auto bytes = files.ReadFile(folder + CountFileReadName())) {
    count = DecodeCountFile(*bytes).value_or(0);
  }
  files.DeleteFile(folder + CountFileReadName());
  // Only the files the count names go; anything else the user put there stays, and with it
  // the folder.
  int missing = 0;
  for (std::int32_t i = 0; i < count && missing < kMissingFilesBeforeGivingUp; ++i) {
    missing = files.DeleteFile(folder + MemoryFileReadName(i)) ? 0 : missing + 1;
  }
  files.RemoveFolder(folder.substr(0, folder.size() - 1));
}

void MemoryTable::Save(SaveBatch& batch, const std::string& folder) const {
  // Usually there already; Data itself is the installation's and is never made here.
  batch.MakeFolder(folder.substr(0, folder.size() - 1));
  int i = 0;
  for (MemoryItem* item = Head; item != nullptr; item = item->Next, ++i) {
    batch.Put(folder + MemoryFileWriteName(i), EncodeMemoryFile(item->Text));
  }
  batch.Put(folder + CountFileWriteName(), EncodeCountFile(Count));
}

}  // namespace korvane
