#include "platform/win32/Colors.h"

namespace korvane::platform::win32 {

COLORREF ResolveColor(Color color) {
  if (color & kSystemColorFlag) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

}  // namespace korvane::platform::win32
