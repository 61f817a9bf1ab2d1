// The main window's routines over its two memory tables: saving them, moving a memory between
// them when its lock changes, and erasing the unlocked ones.
#include "app/Main.h"
#include "app/Texts.h"

namespace korvane {

void TForm1::SaveMemories() {
  std::string failed;
  auto save = [&](MemoryTable* table, const std::string& folder) {
    // A table that start-up never made has nothing to say about the files on disk.
    if (table != nullptr && !table->Save(folder)) failed += "\nData\\" + folder;
  };
  save(LockedTable.get(), CurrentGroup());
  if (Config.SaveUnlocked) save(UnlockedTable.get(), "Unlock");
  // Losing memories silently is the one thing the user must never meet.
  if (!failed.empty()) System.App().ShowError(kSaveFailedMessage + failed);
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
