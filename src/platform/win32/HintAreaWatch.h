// Which hint area of the main window the mouse is over, followed through the mouse messages
// of the window's thread: a control with a hint text of its own, or none (the window's
// background, a control without a hint, any other window).
#pragma once

#include "platform/win32/Win32Api.h"

namespace korvane::platform::win32 {

class HintAreaWatch {
 public:
  explicit HintAreaWatch(HWND main) : main_(main) {}

  // A message of the thread's loop, before it is dispatched; true when the mouse has moved
  // into another area.
  bool Look(const MSG& msg);

 private:
  // `window` itself when it is a control of the main window with a hint, else null (none).
  HWND AreaOf(HWND window) const;
  bool MoveTo(HWND area);

  HWND main_;
  // Compared, never used: the control may be gone by now.
  HWND area_ = nullptr;
  HWND tracked_ = nullptr;  // asked to report the mouse leaving it
};

}  // namespace korvane::platform::win32
