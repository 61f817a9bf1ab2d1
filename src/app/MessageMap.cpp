// The main window's message map: each message listed goes to its handler only; every other
// message gets the window's default handling.
#include "app/Main.h"
#include "app/Messages.h"

namespace korvane {

bool TForm1::WindowMessage(std::uint32_t message, platform::WParam wParam,
                           platform::LParam lParam, platform::LResult& result) {
  // Its number is the system's, known only while running.
  if (message == System.Sys().TaskbarCreatedMessage() && message != 0) {
    TaskbarCreated();
    return false;
  }
  switch (message) {
    case wm::QueryEndSession:
      result = WMQueryEndSession();
      return true;
    case wm::EndSession:
      WMEndSession(wParam != 0);
      result = 0;
      return true;
    case wm::Timer:
      result = 0;
      return ClipboardTimer(static_cast<std::uintptr_t>(wParam));
    case wm::ActivateApp:
      if (wParam != 0) {
        ApplicationActivate();
      } else {
        ApplicationDeactivate();
      }
      return false;  // the window's own handling of its activation goes on
    case wm::MouseMove:
      WMMouseMove();
      result = 0;
      return true;
    case UM_HIDECHECK:
      UMHideCheck(wParam);
      result = 0;
      return true;
    case UM_HIDESTEP:
      UMHideStep(wParam);
      result = 0;
      return true;
    case UM_SHOWSTEP:
      UMShowStep(wParam);
      result = 0;
      return true;
    case wm::LButtonDown:
      result = WMLButtonDown();
      return true;
    case wm::Moving:
      // lParam points to the window's proposed rectangle, laid out as a Rect.
      if (lParam == 0) return false;
      result = WMMoving(*reinterpret_cast<platform::Rect*>(lParam));
      return true;
    case wm::DrawClipboard:
      result = WMDrawClipboard(wParam, lParam);
      return true;
    case UM_CAPTURE:
      UMCapture();
      result = 0;
      return true;
    case UM_SHOWCAPTIONS:
      UMShowCaptions();
      result = 0;
      return true;
    case wm::ChangeCBChain:
      result = WMChangeCBChain(wParam, lParam);
      return true;
    case wm::HotKey:
      WMHotKey();
      result = 0;
      return true;
    case UM_TRAYICON:
      result = UMTrayIcon(lParam);
      return true;
    case wm::ContextMenu: {
      // The form's popup menu, on a right click anywhere in the window (the controls pass the
      // request up) or the menu key; the keyboard's request has no position.
      platform::Point at{static_cast<std::int16_t>(lParam & 0xFFFF),
                         static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
      if ((lParam & 0xFFFFFFFF) == 0xFFFFFFFF) at = platform::Point{Left(), Top()};
      PopupMenu(at);
      result = 0;
      return true;
    }
    case UM_LOCKCHANGED:
      UMLockChanged(wParam);
      result = 0;
      return true;
    case UM_MEMORYENTER:
      UMMemoryEnter();
      result = 0;
      return true;
    case UM_MEMORYLEAVE:
      UMMemoryLeave();
      result = 0;
      return true;
    case wm::KeyUp:
    case wm::SysKeyUp:
      FormKeyUp(static_cast<std::uint16_t>(wParam & 0xFFFF));
      return false;  // the default handling of the release goes on (Alt's menu, say)
    default:
      return false;
  }
}

void TForm1::WindowPaint(platform::Canvas& canvas) { FormPaint(canvas); }

}  // namespace korvane
