// Shut-down: FormDestroy unregisters what start-up registered and saves what the user has.
#include "app/Main.h"

namespace korvane {

TForm1::~TForm1() {
  RunGuarded(&TForm1::FormDestroy);
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;

  System.Sys().UnregisterHotKey(Window->Handle(), HotKeyAtom);
  LeaveClipboardChain();
  StopSlideTimer();
  SaveInstitution();
  SaveMemoryGroup();
  SaveMemories();
  DeleteTaskTray();
  DeleteOptionButton();
  FreeGroupItems();
  UnlockedTable.reset();
  LockedTable.reset();
  Shared.LockGlyph = nullptr;
  LockGlyph.reset();
}

}  // namespace korvane
