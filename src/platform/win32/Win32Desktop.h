// The desktop's windows, foreground and synthesised keys, through the user32 calls of the
// same names.
#pragma once

#include "platform/Desktop.h"

namespace korvane::platform::win32 {

class Win32Desktop : public Desktop {
 public:
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
  bool SendNotifyMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                         LParam lParam) override;
  bool IsWindow(WindowHandle window) override;
  bool IsCloaked(WindowHandle window) override;
  WindowHandle ForegroundWindow() override;
  bool KeyHeld(std::uint8_t virtualKey) override;
  void KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) override;
  bool CursorPos(Point& at) override;
  bool ScreenRect(Rect& rect) override;
  Color ColorToRGB(Color color) override;
};

}  // namespace korvane::platform::win32
