// The main window's message map: each message listed goes to its handler only; every other
// message gets the window's default handling.
#include "app/Main.h"
#include "app/Messages.h"

namespace korvane {

bool TForm1::WindowMessage(std::uint32_t message, platform::WParam wParam,
                           platform::LParam lParam, platform::LResult& result) {
  switch (message) {
    case wm::DrawClipboard:
      result = WMDrawClipboard(wParam, lParam);
      return true;
    case wm::ChangeCBChain:
      result = WMChangeCBChain(wParam, lParam);
      return true;
    case UM_LOCKCHANGED:
      UMLockChanged(wParam);
      result = 0;
      return true;
    default:
      return false;
  }
}

void TForm1::WindowPaint(platform::Canvas& canvas) { FormPaint(canvas); }

}  // namespace korvane
