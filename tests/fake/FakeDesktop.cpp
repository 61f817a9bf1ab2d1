#include "fake/FakeDesktop.h"

#include <algorithm>

namespace korvane::fake {

FakeDesktop::FakeDesktop() {
  SystemColors[15] = 0xF0F0F0;  // button face
  SystemColors[18] = 0x000000;  // button text
}

WindowHandle FakeDesktop::AddWindow(const std::string& name, bool visible,
                                    MessageHandler handler, WindowHandle owner) {
  WindowHandle handle = nextHandle_ += 4;
  windows_[handle] = Record{name, visible, owner, std::move(handler)};
  Order.insert(Order.begin(), handle);
  return handle;
}

void FakeDesktop::RemoveWindow(WindowHandle window) {
  windows_.erase(window);
  Order.erase(std::remove(Order.begin(), Order.end(), window), Order.end());
  if (Foreground == window) Foreground = 0;
}

void FakeDesktop::SetHandler(WindowHandle window, MessageHandler handler) {
  windows_.at(window).handler = std::move(handler);
}

void FakeDesktop::SetVisible(WindowHandle window, bool visible) {
  windows_.at(window).visible = visible;
}

bool FakeDesktop::IsVisible(WindowHandle window) const {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.visible;
}

const std::string& FakeDesktop::NameOf(WindowHandle window) const {
  static const std::string none;
  auto it = windows_.find(window);
  return it == windows_.end() ? none : it->second.name;
}

void FakeDesktop::Activate(WindowHandle window) {
  BringToTop(window);
  Foreground = window;
}

bool FakeDesktop::SetForegroundWindow(WindowHandle window) {
  if (windows_.count(window) == 0) return false;
  if (std::find(RefuseForeground.begin(), RefuseForeground.end(), window) !=
      RefuseForeground.end()) {
    return false;
  }
  Foreground = window;
  return true;
}

void FakeDesktop::BringToTop(WindowHandle window) {
  if (windows_.count(window) == 0) return;
  Order.erase(std::remove(Order.begin(), Order.end(), window), Order.end());
  Order.insert(Order.begin(), window);
  // Owned windows stay above their owner.
  std::vector<WindowHandle> owned;
  for (WindowHandle w : Order) {
    if (windows_[w].owner == window) owned.push_back(w);
  }
  for (WindowHandle w : owned) {
    Order.erase(std::remove(Order.begin(), Order.end(), w), Order.end());
    Order.insert(Order.begin(), w);
  }
}

bool FakeDesktop::WaitForKeyboardFocus(WindowHandle window, int) {
  ++FocusWaits;
  return Foreground == window &&
         std::find(Unresponsive.begin(), Unresponsive.end(), window) == Unresponsive.end();
}

WindowHandle FakeDesktop::NextWindow(WindowHandle window) {
  auto it = std::find(Order.begin(), Order.end(), window);
  if (it == Order.end() || ++it == Order.end()) return 0;
  return *it;
}

std::uint32_t FakeDesktop::WindowStyle(WindowHandle window) {
  return IsVisible(window) ? platform::kStyleVisible : 0;
}

void FakeDesktop::ShowWindow(WindowHandle window, bool show) {
  if (windows_.count(window) != 0) windows_[window].visible = show;
}

LResult FakeDesktop::SendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                 LParam lParam) {
  if (std::find(Hung.begin(), Hung.end(), window) != Hung.end()) ++SendsBlocked;
  auto it = windows_.find(window);
  if (it == windows_.end() || !it->second.handler) return 0;
  // Copied: the handler may remove its own window.
  MessageHandler handler = it->second.handler;
  LResult result = 0;
  Dispatch([&] { result = handler(message, wParam, lParam); });
  return result;
}

void FakeDesktop::Post(WindowHandle window, std::uint32_t message, WParam wParam,
                       LParam lParam) {
  posted_.push_back(Posted{window, message, wParam, lParam});
  if (depth_ == 0) RunPosted();
}

void FakeDesktop::RunPosted() {
  while (!posted_.empty()) {
    const Posted next = posted_.front();
    posted_.pop_front();
    SendMessage(next.window, next.message, next.wParam, next.lParam);
  }
}

bool FakeDesktop::SendMessageTimeout(WindowHandle window, std::uint32_t message, WParam wParam,
                                     LParam lParam, int, LResult& result) {
  if (windows_.count(window) == 0) return false;
  if (std::find(Hung.begin(), Hung.end(), window) != Hung.end()) {
    ++SendsTimedOut;
    return false;
  }
  result = SendMessage(window, message, wParam, lParam);
  return true;
}

bool FakeDesktop::SendNotifyMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                    LParam lParam) {
  if (windows_.count(window) == 0) return false;
  if (std::find(Hung.begin(), Hung.end(), window) != Hung.end()) {
    ++NotifiesQueued;
    return true;
  }
  SendMessage(window, message, wParam, lParam);
  return true;
}

bool FakeDesktop::IsCloaked(WindowHandle window) {
  return std::find(Cloaked.begin(), Cloaked.end(), window) != Cloaked.end();
}

void FakeDesktop::KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) {
  Keys.push_back(KeyRecord{virtualKey, flags, Foreground});
  if (flags & platform::kKeyEventKeyUp) {
    Held.erase(virtualKey);
  } else {
    Held.insert(virtualKey);
  }
}

bool FakeDesktop::CursorPos(platform::Point& at) {
  at = Cursor;
  return true;
}

bool FakeDesktop::ScreenRect(platform::Rect& rect) {
  if (!ScreenAvailable) return false;
  rect = Screen;
  return true;
}

platform::Color FakeDesktop::ColorToRGB(platform::Color color) {
  if ((color & platform::kSystemColorFlag) == 0) return color;
  auto it = SystemColors.find(color & 0xFF);
  return it == SystemColors.end() ? 0 : it->second;
}

}  // namespace korvane::fake
