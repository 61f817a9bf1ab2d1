// Windows of the whole desktop: order, foreground, messages, synthesised keys, the screen.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace korvane::platform {

constexpr std::uint32_t kKeyEventKeyUp = 2;  // KEYEVENTF_KEYUP

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  // Puts a top-level window on top of the window order without activating it; the windows it
  // owns stay above it.
  virtual void BringToTop(WindowHandle window) = 0;
  // Waits, at most timeoutMs, until the window is the foreground window and its thread has
  // set the keyboard focus: keys synthesised before then are lost.
  virtual bool WaitForKeyboardFocus(WindowHandle window, int timeoutMs) = 0;
  virtual WindowHandle NextWindow(WindowHandle window) = 0;  // the next lower in the order
  virtual std::uint32_t WindowStyle(WindowHandle window) = 0;
  virtual void ShowWindow(WindowHandle window, bool show) = 0;
  virtual LResult SendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                              LParam lParam) = 0;
  // As SendMessage, but it gives up after timeoutMs, and at once on a window whose program
  // has stopped answering; false then, and for a window that does not exist.
  virtual bool SendMessageTimeout(WindowHandle window, std::uint32_t message, WParam wParam,
                                  LParam lParam, int timeoutMs, LResult& result) = 0;
  // Hands the message to the window's thread without waiting for it to be handled (a window
  // of our own thread handles it at once); false for a window that does not exist.
  virtual bool SendNotifyMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                 LParam lParam) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // Visible to the system but not on the screen: a suspended app or a window on another
  // virtual desktop (Windows 10 and later).
  virtual bool IsCloaked(WindowHandle window) = 0;
  virtual WindowHandle ForegroundWindow() = 0;
  // The key is down now, as the keyboard's state is at this moment (not as the window's
  // thread has read its messages so far).
  virtual bool KeyHeld(std::uint8_t virtualKey) = 0;
  // One synthesised key event (keybd_event with scan code 0 and no extra information).
  virtual void KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) = 0;
  // The mouse cursor's position on the screen.
  virtual bool CursorPos(Point& at) = 0;
  // The rectangle of the desktop window: the whole primary screen.
  virtual bool ScreenRect(Rect& rect) = 0;
  // A system colour resolved to its current 0x00BBGGRR value; plain colours pass unchanged.
  virtual Color ColorToRGB(Color color) = 0;
};

}  // namespace korvane::platform
