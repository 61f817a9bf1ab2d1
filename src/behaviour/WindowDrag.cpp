// Dragging the borderless window by its own area, kept on the desktop so that it can rest
// exactly against an edge.
#include "app/Main.h"
#include "app/Messages.h"

namespace korvane {

namespace {
constexpr std::uint32_t kSysCommand = 0x0112;
// SC_MOVE with the caption as the place grabbed: the system's own move loop follows the mouse.
constexpr platform::WParam kDragMove = 0xF012;
}  // namespace

platform::LResult TForm1::WMLButtonDown() {
  StopSlideTimer();
  System.Desk().SendMessage(Window->Handle(), kSysCommand, kDragMove, 0);
  return 1;
}

platform::LResult TForm1::WMMoving(platform::Rect& proposed) {
  platform::Rect screen;
  if (System.Desk().ScreenRect(screen)) {
    auto shift = [&proposed](int dx, int dy) {
      proposed.Left += dx;
      proposed.Right += dx;
      proposed.Top += dy;
      proposed.Bottom += dy;
    };
    // In this order: a window wider than the screen ends with its right edge on the screen's.
    if (proposed.Left < 0) shift(-proposed.Left, 0);
    if (proposed.Right > screen.Right) shift(screen.Right - proposed.Right, 0);
    if (proposed.Top < 0) shift(0, -proposed.Top);
    if (proposed.Bottom > screen.Bottom) shift(0, screen.Bottom - proposed.Bottom);
  }
  return 1;
}

}  // namespace korvane
