// Clipboard capture: the main window sits in the clipboard viewer chain from the end of
// start-up to the start of shut-down, and every copied text may become the newest memory.
#include "app/Main.h"
#include "app/Messages.h"

namespace korvane {

namespace {
// A neighbour in the chain that takes longer than this to take a chain change is left behind
// (it still gets the message): the window must go on painting and pasting.
constexpr int kForwardTimeoutMs = 500;
// Captions put on moved memories' panels per message: a few round trips to the system each.
constexpr int kCaptionsAtOnce = 8;
}  // namespace

void TForm1::SetClipboard() {
  NextClipboardViewer = System.Clip().SetViewer(Window->Handle());
  Watch.Joined();
}

void TForm1::LeaveClipboardChain() {
  if (!Watch.InChain()) return;
  Watch.Left();
  System.Clip().ChangeChain(Window->Handle(), NextClipboardViewer);
}

void TForm1::RejoinClipboardChain() {
  const platform::WindowHandle self = Window->Handle();
  const platform::WindowHandle behind = NextClipboardViewer;
  // Out properly first, in case we are still linked somewhere: being in the chain twice
  // would send every notification round in a circle.
  System.Clip().ChangeChain(self, behind);
  // Joining announces the clipboard to us at once: what was missed is captured now.
  const platform::WindowHandle front = System.Clip().SetViewer(self);
  platform::Desktop& desktop = System.Desk();
  if (front != 0 && front != self && desktop.IsWindow(front)) {
    // A live front follows us now; leaving has linked those behind us to it.
    NextClipboardViewer = front;
  } else if (!desktop.IsWindow(NextClipboardViewer)) {
    NextClipboardViewer = 0;
  }
  // Otherwise the front was the viewer that vanished: those behind us are still ours.
  Watch.Joined();
}

void TForm1::ToggleClipboardWatch() {
  Config.WatchClipboard = !Config.WatchClipboard;
  PopCheckClipChecked = Config.WatchClipboard;
}

platform::LResult TForm1::WMDrawClipboard(platform::WParam wParam, platform::LParam lParam) {
  Watch.Notified();
  // The capture waits its turn in our own queue: a flood of copies then costs one capture
  // at a time, and input, painting and closing are served in between.
  if (!capturePosted_) {
    capturePosted_ = true;
    Window->Post(UM_CAPTURE, 0, 0);
  }
  // Always passed on, watching or not, so that the chain behind us never breaks.
  NotifyNextViewer(wParam, lParam);
  return 0;
}

void TForm1::UMCapture() {
  capturePosted_ = false;
  CaptureClipboard(true);
}

void TForm1::UMShowCaptions() {
  captionsPosted_ = false;
  int most = kCaptionsAtOnce;
  // Input comes after posted messages: the user clicks a panel only once it shows its memory.
  bool more = LockedTable && LockedTable->ShowCaptions(most);
  more = (UnlockedTable && UnlockedTable->ShowCaptions(most)) || more;
  if (more) PostShowCaptions();
}

void TForm1::PostShowCaptions() {
  if (captionsPosted_) return;
  captionsPosted_ = true;
  Window->Post(UM_SHOWCAPTIONS, 0, 0);
}

void TForm1::NotifyNextViewer(platform::WParam wParam, platform::LParam lParam) {
  // Not waited for: a neighbour that is slow (it reads every copy) or hung must not keep
  // us from painting, pasting and closing while copies come, nor stack one notification
  // inside the wait for another. Nobody reads what a viewer answers to this message.
  if (NextClipboardViewer != 0 &&
      !System.Desk().SendNotifyMessage(NextClipboardViewer, wm::DrawClipboard, wParam, lParam)) {
    // A window that is gone passes nothing on.
    NextClipboardViewer = 0;
  }
}

void TForm1::CaptureClipboard(bool announced) {
  if (!Config.WatchClipboard || !LockedTable || !UnlockedTable) return;
  const std::int32_t locked = LockedTable->Count;
  // A group loaded with more locked memories than the limit leaves no slot either.
  if (locked >= Config.MemoryLimit) return;
  std::optional<platform::ClipboardContent> copy = Watch.TakeNewCopy(announced);
  // A copy marked private (a password) is not kept, exactly like a copy without text.
  if (!copy || copy->What != platform::ClipboardContent::Kind::Text || copy->Private) return;
  if (Config.SkipDuplicates && (LockedTable->Contains(copy->Text) ||
                                UnlockedTable->Contains(copy->Text))) {
    return;
  }
  const std::int32_t countBefore = UnlockedTable->Count;
  // Memories loaded at start are not trimmed, so the table may hold more than the limit: the
  // capture drops the oldest down to it, so the window never grows past the limit. The last
  // one to go is AddMemory's to drop, which hands its buttons on to the memories after it.
  while (UnlockedTable->Count > 0 && locked + UnlockedTable->Count > Config.MemoryLimit) {
    UnlockedTable->RemoveFirst();
  }
  UnlockedTable->AddMemory(Config.MemoryLimit - locked, false, std::move(copy->Text),
                           std::move(copy->Exact));
  // Memories that moved onto other panels wait for their captions.
  if (UnlockedTable->CaptionsPending()) PostShowCaptions();
  SetFormSize(true);
  SetControlPosition();
  SetTabOrder();
  // No repaint of everything: each control repaints itself where it changed. With as many
  // memories as before (a full window) the frame and the numbers stand as they were;
  // otherwise the size changed and the face is drawn again for the new count.
  if (UnlockedTable->Count != countBefore) {
    if (std::unique_ptr<platform::Canvas> canvas = Window->GetCanvas()) FormPaint(*canvas);
  }
}

platform::LResult TForm1::WMChangeCBChain(platform::WParam wParam, platform::LParam lParam) {
  if (wParam == NextClipboardViewer) {
    NextClipboardViewer = static_cast<platform::WindowHandle>(lParam);
    return 0;
  }
  return PassToNextViewer(wm::ChangeCBChain, wParam, lParam);
}

platform::LResult TForm1::PassToNextViewer(std::uint32_t message, platform::WParam wParam,
                                           platform::LParam lParam) {
  if (NextClipboardViewer == 0) return 0;
  platform::LResult result = 0;
  if (System.Desk().SendMessageTimeout(NextClipboardViewer, message, wParam, lParam,
                                       kForwardTimeoutMs, result)) {
    return result;
  }
  // A window that is gone passes nothing on; one that hangs keeps its place.
  if (!System.Desk().IsWindow(NextClipboardViewer)) NextClipboardViewer = 0;
  return 0;
}

bool TForm1::ClipboardTimer(std::uintptr_t id) {
  if (id == ClipboardWatch::kRetryTimer) {
    if (Watch.RetryDue()) CaptureClipboard(false);
    return true;
  }
  if (id == ClipboardWatch::kChainTimer) {
    if (Watch.ChainBroken()) RejoinClipboardChain();
    return true;
  }
  return false;
}

}  // namespace korvane
