// The desktop in memory: windows with an order, a foreground window, messages delivered by
// direct calls, synthesised keys recorded with the window that had the foreground then.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace korvane::fake {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;

using MessageHandler = std::function<LResult(std::uint32_t, WParam, LParam)>;

struct KeyRecord {
  std::uint8_t key;
  std::uint32_t flags;
  WindowHandle foreground;  // where the key went
  friend bool operator==(const KeyRecord& a, const KeyRecord& b) {
    return a.key == b.key && a.flags == b.flags && a.foreground == b.foreground;
  }
};

class FakeDesktop : public platform::Desktop {
 public:
  FakeDesktop();

  // A top-level window on top of the order. `owner` windows stay below what they own.
  WindowHandle AddWindow(const std::string& name, bool visible, MessageHandler handler = {},
                         WindowHandle owner = 0);
  void RemoveWindow(WindowHandle window);
  void SetHandler(WindowHandle window, MessageHandler handler);
  void SetVisible(WindowHandle window, bool visible);
  bool IsVisible(WindowHandle window) const;
  const std::string& NameOf(WindowHandle window) const;
  // The click of a user: that window comes on top and takes the foreground.
  void Activate(WindowHandle window);

  // Posted messages wait until the message or user action being handled is over, as a
  // message loop gets to them; Dispatch marks one such step (steps nest).
  void Post(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
  template <typename Step>
  void Dispatch(Step step) {
    ++depth_;
    struct Leave {
      FakeDesktop& desktop;
      ~Leave() {
        if (--desktop.depth_ == 0) desktop.RunPosted();
      }
    } leave{*this};
    step();
  }

  std::vector<WindowHandle> Order;  // front is the top
  WindowHandle Foreground = 0;
  std::vector<KeyRecord> Keys;
  std::set<std::uint8_t> Held;  // keys down now; synthesised events change it too
  platform::Rect Screen{0, 0, 1280, 800};
  platform::Point Cursor{640, 400};
  bool ScreenAvailable = true;
  std::map<int, platform::Color> SystemColors;
  // Windows that never take the keyboard focus when made foreground (a hung program).
  std::vector<WindowHandle> Unresponsive;
  int FocusWaits = 0;
  // Windows of a program that hangs in its message handling: a send with a time-out gives
  // up (counted); a plain send would wait as long as the hang lasts (counted, and delivered).
  std::vector<WindowHandle> Hung;
  int SendsTimedOut = 0;
  int SendsBlocked = 0;
  int NotifiesQueued = 0;
  // Windows that are there but not on the screen (another virtual desktop, a suspended app).
  std::vector<WindowHandle> Cloaked;
  // Windows that the foreground never moves to (the system refuses the switch).
  std::vector<WindowHandle> RefuseForeground;

  bool SetForegroundWindow(WindowHandle window) override;
  void BringToTop(WindowHandle window) override;
  bool WaitForKeyboardFocus(WindowHandle window, int timeoutMs) override;
  WindowHandle NextWindow(WindowHandle window) override;
  std::uint32_t WindowStyle(WindowHandle window) override;
  void ShowWindow(WindowHandle window, bool show) override;
  LResult SendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                      LParam lParam) override;
  bool SendMessageTimeout(WindowHandle window, std::uint32_t message, WParam wParam,
                          LParam lParam, int timeoutMs, LResult& result) override;
  // Delivered at once, as to a window of the caller's thread; a hung window queues it.
  bool SendNotifyMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                         LParam lParam) override;
  bool IsWindow(WindowHandle window) override { return windows_.count(window) != 0; }
  bool IsCloaked(WindowHandle window) override;
  WindowHandle ForegroundWindow() override { return Foreground; }
  bool KeyHeld(std::uint8_t virtualKey) override { return Held.count(virtualKey) != 0; }
  void KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) override;
  bool CursorPos(platform::Point& at) override;
  bool ScreenRect(platform::Rect& rect) override;
  platform::Color ColorToRGB(platform::Color color) override;

 private:
  struct Record {
    std::string name;
    bool visible = false;
    WindowHandle owner = 0;
    MessageHandler handler;
  };
  void RunPosted();

  std::map<WindowHandle, Record> windows_;
  WindowHandle nextHandle_ = 0x1000;
  struct Posted {
    WindowHandle window;
    std::uint32_t message;
    WParam wParam;
    LParam lParam;
  };
  std::deque<Posted> posted_;
  int depth_ = 0;
};

}  // namespace korvane::fake
