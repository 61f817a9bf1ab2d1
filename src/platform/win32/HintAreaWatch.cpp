#include "platform/win32/HintAreaWatch.h"

#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

bool HintAreaWatch::Look(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      const bool ours = msg.hwnd == main_ || IsChild(main_, msg.hwnd);
      if (ours && msg.hwnd != tracked_) {
        // Leaving the main window's windows for another program's sends no move to us.
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, msg.hwnd, 0};
        if (TrackMouseEvent(&leave)) tracked_ = msg.hwnd;
      }
      // A control that holds the mouse's capture (a press held on a memory) gets the moves
      // wherever the mouse is.
      const HWND under = GetCapture() == msg.hwnd ? WindowFromPoint(msg.pt) : msg.hwnd;
      return MoveTo(AreaOf(under));
    }
    case WM_MOUSELEAVE: {
      if (msg.hwnd == tracked_) tracked_ = nullptr;  // the request ends with its report
      if (msg.hwnd != main_ && !IsChild(main_, msg.hwnd)) return false;
      // Also reported on the way into a child window, or to a tracking that another took
      // over: the window under the mouse now decides.
      POINT at{};
      GetCursorPos(&at);
      return MoveTo(AreaOf(WindowFromPoint(at)));
    }
    default:
      return false;
  }
}

HWND HintAreaWatch::AreaOf(HWND window) const {
  if (!window || !IsChild(main_, window)) return nullptr;
  const WindowObject* object = WindowObject::ObjectOf(window);
  return object && object->HasHint() ? window : nullptr;
}

bool HintAreaWatch::MoveTo(HWND area) {
  if (area == area_) return false;
  area_ = area;
  return true;
}

}  // namespace korvane::platform::win32
