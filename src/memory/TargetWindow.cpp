#include "memory/TargetWindow.h"

namespace korvane {

void BringOwnWindowForward(platform::Platform& platform) {
  auto& desktop = platform.Desk();
  platform::WindowHandle own = platform.App().Handle();
  desktop.SetForegroundWindow(own);
  // Without a window manager (and on some Windows versions) activating the hidden application
  // window does not reorder it; the walk below needs it on top.
  desktop.BringToTop(own);
}

platform::WindowHandle ActivateWindowBelow(platform::Platform& platform) {
  auto& desktop = platform.Desk();
  platform::WindowHandle window = platform.App().Handle();
  do {
    window = desktop.NextWindow(window);
  } while (window != 0 && ((desktop.WindowStyle(window) & platform::kStyleVisible) == 0 ||
                           desktop.IsCloaked(window)));
  if (window == 0) return 0;
  desktop.SetForegroundWindow(window);
  desktop.WaitForKeyboardFocus(window, kFocusWaitMs);
  return window;
}

void SendControlShortcutTo(platform::Desktop& desktop, platform::WindowHandle target,
                           std::uint8_t virtualKey) {
  if (target != 0 && desktop.ForegroundWindow() != target) return;
  SendControlShortcut(desktop, virtualKey);
}

platform::WindowHandle ActivateTargetWindow(platform::Platform& platform) {
  BringOwnWindowForward(platform);
  return ActivateWindowBelow(platform);
}

void SendControlShortcut(platform::Desktop& desktop, std::uint8_t virtualKey) {
  // A direct-paste key pressed with Shift is often still held: the target would get
  // Ctrl+Shift+V, which many programs take for something else.
  constexpr std::uint8_t kHeldModifiers[] = {0xA0, 0xA1, 0xA4, 0xA5, 0x5B, 0x5C};
  for (const std::uint8_t key : kHeldModifiers) {
    if (desktop.KeyHeld(key)) desktop.KeyEvent(key, platform::kKeyEventKeyUp);
  }
  desktop.KeyEvent(kVkControl, 0);
  desktop.KeyEvent(virtualKey, 0);
  desktop.KeyEvent(virtualKey, platform::kKeyEventKeyUp);
  desktop.KeyEvent(kVkControl, platform::kKeyEventKeyUp);
}

}  // namespace korvane
