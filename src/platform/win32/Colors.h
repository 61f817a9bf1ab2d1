// The program's colours (0x00BBGGRR, or 0x80000000 plus a system colour index) as GDI takes them.
#pragma once

#include "platform/win32/Win32Api.h"

#include "platform/Types.h"

namespace korvane::platform::win32 {

COLORREF ResolveColor(Color color);

}  // namespace korvane::platform::win32
