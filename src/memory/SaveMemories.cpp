// The main window's routines over its two memory tables: saving them, moving a memory between
// them when its lock changes, and erasing the unlocked ones.
#include "app/Main.h"
#include "app/Texts.h"
#include "groups/DataFolders.h"
#include "memory/SaveBatch.h"

namespace korvane {

namespace {
constexpr char kSaveJournal[] = "SaveJournal.dat";
}  // namespace

bool TForm1::SaveMemories() {
  SaveBatch batch(System.Files(), DataFilePath(kSaveJournal));
  std::string folders;
  auto save = [&](MemoryTable* table, const std::optional<std::string>& folder) {
    // A table that start-up never made has nothing to say about the files on disk, and a
    // group whose name cannot be a folder of its own has no files.
    if (table == nullptr || !folder) return;
    table->Save(batch, *folder);
    folders += "\n" + folder->substr(0, folder->size() - 1);
  };
  save(LockedTable.get(), GroupFolderPath(LockedGroup));
  if (Config.SaveUnlocked) save(UnlockedTable.get(), UnlockFolderPath());
  if (batch.Empty() || batch.Commit()) return true;
  // Losing memories silently is the one thing the user must never meet.
  ShowError(kSaveFailedMessage + folders);
  return false;
}

void TForm1::FinishInterruptedSave() {
  SaveBatch::Recover(System.Files(), DataFilePath(kSaveJournal));
}

void TForm1::UMLockChanged(platform::WParam wParam) {
  MemoryItem* item = Shared.LockChangedItem;
  if (item == nullptr || !LockedTable || !UnlockedTable) return;
  if (wParam == 1) {
    if (LockedTable->Remove(item)) UnlockedTable->PushFront(item);
  } else {
    if (UnlockedTable->Remove(item)) LockedTable->PushBack(item);
  }
  SetControlPosition();
  SetTabOrder();
  if (Config.SaveOnLockChange) SaveMemories();
  Window->Refresh();
}

void TForm1::EraseUnlockedMemories() {
  UnlockedTable = std::make_unique<MemoryTable>(Owner, false);
  SetFormSize(true);
  SetControlPosition();
  Window->Refresh();
}

}  // namespace korvane
