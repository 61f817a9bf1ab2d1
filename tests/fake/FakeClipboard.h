// The clipboard as a value with a viewer chain kept as the system keeps it: it knows only the
// first viewer, each viewer its own next. A change is announced, as the system does, by
// WM_DRAWCLIPBOARD sent to the first viewer before SetText returns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fake/FakeDesktop.h"
#include "platform/Clipboard.h"

namespace korvane::fake {

constexpr std::uint32_t kDrawClipboard = 0x0308;
constexpr std::uint32_t kChangeCBChain = 0x030D;

class FakeClipboard : public platform::Clipboard {
 public:
  explicit FakeClipboard(FakeDesktop& desktop) : desktop_(desktop) {}

  // A copy made by another program: the contents change and the chain is told. `exact` is
  // the text as copied when code page 932 cannot hold it (`text` then has "?" for those).
  void CopyFromOtherProgram(std::optional<std::string> text, bool isPrivate = false,
                            platform::UnicodeText exact = {});

  std::optional<std::string> Contents;
  platform::UnicodeText ExactContents;
  bool Private = false;  // the copy was marked as not to be kept
  WindowHandle FirstViewer = 0;
  std::uint32_t Sequence = 1;
  int Notifications = 0;
  // Another program holds the clipboard open: looks find it busy and SetText fails.
  bool HeldByOther = false;
  // Only the next this many looks find it busy.
  int BusyReads = 0;
  // A look raises this error (the system ran out of memory, say).
  std::optional<std::string> FailRead;
  std::vector<std::string>* JournalTo = nullptr;  // joins and leaves of the chain

  platform::ClipboardContent Read() override;
  std::uint32_t SequenceNumber() override { return Sequence; }
  bool SetText(const std::string& text, const platform::UnicodeText& exact) override;
  WindowHandle SetViewer(WindowHandle window) override;
  void ChangeChain(WindowHandle remove, WindowHandle next) override;

 private:
  void Announce();
  FakeDesktop& desktop_;
};

// A well-behaved clipboard viewer of another program: it keeps its own next viewer, passes
// every notification on and counts what it saw.
class OtherViewer {
 public:
  OtherViewer(FakeDesktop& desktop, FakeClipboard& clipboard);
  ~OtherViewer();
  void Leave();
  // Its program ends without leaving the chain.
  void Die();

  WindowHandle Handle = 0;
  WindowHandle Next = 0;
  int DrawNotifications = 0;
  std::vector<std::pair<WindowHandle, WindowHandle>> ChainChanges;

 private:
  FakeDesktop& desktop_;
  FakeClipboard& clipboard_;
  bool inChain_ = false;
};

}  // namespace korvane::fake
