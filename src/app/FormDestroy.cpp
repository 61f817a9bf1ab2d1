// Shut-down: FormDestroy unregisters what start-up registered and saves what the user has;
// the end of the Windows session writes the same, since the program is not closed then.
#include "app/Main.h"

namespace korvane {

TForm1::~TForm1() {
  RunGuarded(&TForm1::FormDestroy);
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;

  System.Sys().UnregisterHotKey(Window->Handle(), HotKeyAtom);
  if (HotKeyAtom != 0) System.Sys().GlobalDeleteAtom(HotKeyAtom);
  HotKeyAtom = 0;
  LeaveClipboardChain();
  StopSlideTimer();
  HidePreview();
  if (!sessionEnded_) {
    SaveInstitution();
    SaveMemoryGroup();
    SaveMemories();
  }
  DeleteTaskTray();
  DeleteOptionButton();
  FreeGroupItems();
  UnlockedTable.reset();
  LockedTable.reset();
  Shared.LockGlyph = nullptr;
  LockGlyph.reset();
}

platform::LResult TForm1::WMQueryEndSession() {
  // Never in the way of a logoff: everything is written when it happens.
  return 1;
}

void TForm1::WMEndSession(bool ending) {
  // A logoff that another program cancelled changes nothing here.
  if (!ending || sessionEnded_ || destroyed_) return;
  sessionEnded_ = true;
  LeaveClipboardChain();
  StopSlideTimer();
  SaveInstitution();
  SaveMemoryGroup();
  SaveMemories();
}

void TForm1::ShowError(const std::string& text) {
  // A box would wait for a user who is logging off, and hold the logoff up.
  if (sessionEnded_) return;
  System.App().ShowError(text);
}

}  // namespace korvane
