// Clipboard capture: the main window sits in the clipboard viewer chain from the end of
// start-up to the start of shut-down, and every copied text may become the newest memory.
#include "app/Main.h"
#include "app/Messages.h"

namespace korvane {

void TForm1::SetClipboard() { NextClipboardViewer = System.Clip().SetViewer(Window->Handle()); }

void TForm1::LeaveClipboardChain() {
  System.Clip().ChangeChain(Window->Handle(), NextClipboardViewer);
}

void TForm1::ToggleClipboardWatch() {
  Config.WatchClipboard = !Config.WatchClipboard;
  PopCheckClipChecked = Config.WatchClipboard;
}

platform::LResult TForm1::WMDrawClipboard(platform::WParam wParam, platform::LParam lParam) {
  if (Config.WatchClipboard && LockedTable && UnlockedTable) {
    const std::int32_t locked = LockedTable->Count;
    std::string text;
    // A group loaded with more locked memories than the limit leaves no slot either. A copy
    // marked private (a password) is not kept, exactly like a copy without text.
    if (locked < Config.MemoryLimit && System.Clip().GetText(text) && !System.Clip().IsPrivate() &&
        (!Config.SkipDuplicates ||
         (!LockedTable->Contains(text) && !UnlockedTable->Contains(text)))) {
      const std::int32_t countBefore = UnlockedTable->Count;
      // Memories loaded at start are not trimmed, so the table may hold more than the limit:
      // the capture drops the oldest down to it, so the window never grows past the limit.
      while (UnlockedTable->Count > 0 && locked + UnlockedTable->Count >= Config.MemoryLimit) {
        UnlockedTable->RemoveFirst();
      }
      UnlockedTable->AddMemory(Config.MemoryLimit - locked, false, std::move(text));
      SetFormSize(true);
      SetControlPosition();
      SetTabOrder();
      // No repaint of everything: each control repaints itself where it changed. With as
      // many memories as before (a full window) the frame and the numbers stand as they
      // were; otherwise the size changed and the face is drawn again for the new count.
      if (UnlockedTable->Count != countBefore) {
        if (std::unique_ptr<platform::Canvas> canvas = Window->GetCanvas()) FormPaint(*canvas);
      }
    }
  }
  // Always passed on, watching or not, so that the chain behind us never breaks.
  return System.Desk().SendMessage(NextClipboardViewer, wm::DrawClipboard, wParam, lParam);
}

platform::LResult TForm1::WMChangeCBChain(platform::WParam wParam, platform::LParam lParam) {
  if (wParam == NextClipboardViewer) {
    NextClipboardViewer = static_cast<platform::WindowHandle>(lParam);
    return 0;
  }
  if (NextClipboardViewer != 0) {
    return System.Desk().SendMessage(NextClipboardViewer, wm::ChangeCBChain, wParam, lParam);
  }
  return 0;
}

}  // namespace korvane
