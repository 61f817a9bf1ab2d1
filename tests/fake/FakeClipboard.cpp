#include "fake/FakeClipboard.h"

#include <algorithm>

namespace korvane::fake {

void FakeClipboard::Announce() {
  ++Notifications;
  if (!Viewers.empty()) desktop_.SendMessage(Viewers.front(), kDrawClipboard, 0, 0);
}

void FakeClipboard::CopyFromOtherProgram(std::optional<std::string> text, bool isPrivate) {
  Contents = std::move(text);
  Private = isPrivate;
  Announce();
}

bool FakeClipboard::GetText(std::string& text) {
  if (!Contents) return false;
  text = *Contents;
  return true;
}

bool FakeClipboard::SetText(const std::string& text) {
  Contents = text;
  Private = false;
  Announce();
  return true;
}

WindowHandle FakeClipboard::SetViewer(WindowHandle window) {
  if (JournalTo) JournalTo->push_back("SetClipboardViewer");
  WindowHandle previous = Viewers.empty() ? 0 : Viewers.front();
  Viewers.insert(Viewers.begin(), window);
  // Joining the chain announces the current contents to the new viewer at once.
  desktop_.SendMessage(window, kDrawClipboard, 0, 0);
  return previous;
}

void FakeClipboard::ChangeChain(WindowHandle remove, WindowHandle next) {
  if (JournalTo) JournalTo->push_back("ChangeClipboardChain");
  Viewers.erase(std::remove(Viewers.begin(), Viewers.end(), remove), Viewers.end());
  if (!Viewers.empty()) desktop_.SendMessage(Viewers.front(), kChangeCBChain, remove, next);
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

}  // namespace korvane::fake
