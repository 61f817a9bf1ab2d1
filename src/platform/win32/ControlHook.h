// A control's messages seen first by its dialog: the dialog takes the keys it gives a meaning
// of its own, the control keeps the rest. Subclassed by hand: the common controls' helper for
// it would bind the program to comctl32 at every start.
#pragma once

#include "platform/win32/Win32Api.h"

#include <functional>

namespace korvane::platform::win32 {

// True when the message was handled, with its result in the LRESULT.
using ControlHook = std::function<bool(UINT message, WPARAM, LPARAM, LRESULT&)>;

// `hook` must outlive the control; the control is given back its own procedure when it goes.
void HookControl(HWND control, const ControlHook* hook);

}  // namespace korvane::platform::win32
