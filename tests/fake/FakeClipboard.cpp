#include "fake/FakeClipboard.h"

#include <stdexcept>

namespace korvane::fake {

void FakeClipboard::Announce() {
  ++Sequence;
  ++Notifications;
  if (FirstViewer != 0) desktop_.SendMessage(FirstViewer, kDrawClipboard, 0, 0);
}

void FakeClipboard::CopyFromOtherProgram(std::optional<std::string> text, bool isPrivate,
                                         platform::UnicodeText exact) {
  Contents = std::move(text);
  ExactContents = std::move(exact);
  Private = isPrivate;
  Announce();
}

platform::ClipboardContent FakeClipboard::Read() {
  if (FailRead) throw std::runtime_error(*FailRead);
  platform::ClipboardContent content;
  content.Sequence = Sequence;
  if (!Contents) return content;
  if (HeldByOther || BusyReads > 0) {
    if (BusyReads > 0) --BusyReads;
    content.What = platform::ClipboardContent::Kind::Busy;
    return content;
  }
  content.What = platform::ClipboardContent::Kind::Text;
  content.Text = *Contents;
  content.Exact = ExactContents;
  content.Private = Private;
  return content;
}

bool FakeClipboard::SetText(const std::string& text, const platform::UnicodeText& exact) {
  if (HeldByOther) return false;
  Contents = text;
  ExactContents = exact;
  Private = false;
  Announce();
  return true;
}

WindowHandle FakeClipboard::SetViewer(WindowHandle window) {
  if (JournalTo) JournalTo->push_back("SetClipboardViewer");
  const WindowHandle previous = FirstViewer;
  FirstViewer = window;
  // Joining the chain announces the current contents to the new viewer at once.
  desktop_.SendMessage(window, kDrawClipboard, 0, 0);
  return previous;
}

void FakeClipboard::ChangeChain(WindowHandle remove, WindowHandle next) {
  if (JournalTo) JournalTo->push_back("ChangeClipboardChain");
  if (FirstViewer == remove) {
    FirstViewer = next;
  } else if (FirstViewer != 0) {
    desktop_.SendMessage(FirstViewer, kChangeCBChain, remove, next);
  }
}

OtherViewer::OtherViewer(FakeDesktop& desktop, FakeClipboard& clipboard)
    : desktop_(desktop), clipboard_(clipboard) {
  Handle = desktop.AddWindow("other viewer", false, [this](std::uint32_t m, WParam w, LParam l) {
    if (m == kDrawClipboard) {
      ++DrawNotifications;
      return desktop_.SendMessage(Next, m, w, l);
    }
    if (m == kChangeCBChain) {
      ChainChanges.emplace_back(w, static_cast<WindowHandle>(l));
      if (w == Next) {
        Next = static_cast<WindowHandle>(l);
      } else if (Next != 0) {
        return desktop_.SendMessage(Next, m, w, l);
      }
    }
    return LResult{0};
  });
  Next = clipboard.SetViewer(Handle);
  inChain_ = true;
}

OtherViewer::~OtherViewer() {
  Leave();
  desktop_.RemoveWindow(Handle);
}

void OtherViewer::Leave() {
  if (!inChain_) return;
  inChain_ = false;
  clipboard_.ChangeChain(Handle, Next);
}

void OtherViewer::Die() {
  inChain_ = false;
  desktop_.RemoveWindow(Handle);
  // The system forgets a first viewer whose window is destroyed.
  if (clipboard_.FirstViewer == Handle) clipboard_.FirstViewer = 0;
}

}  // namespace korvane::fake
