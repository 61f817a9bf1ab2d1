// The clipboard as a value with a viewer chain. A change is announced, as the system does, by
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

  // A copy made by another program: the contents change and the chain is told.
  void CopyFromOtherProgram(std::optional<std::string> text, bool isPrivate = false);

  std::optional<std::string> Contents;
  bool Private = false;  // the copy was marked as not to be kept
  std::vector<WindowHandle> Viewers;  // front is the first in the chain
  int Notifications = 0;
  std::vector<std::string>* JournalTo = nullptr;  // joins and leaves of the chain

  bool GetText(std::string& text) override;
  bool IsPrivate() override { return Private; }
  bool SetText(const std::string& text) override;
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
