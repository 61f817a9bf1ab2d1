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
  // The control shows something else now: the mouse over it is in another area, as if a
  // different control had come under it.
  void Renewed(HWND control) {
    if (area_ == control) area_ = kRenewed;
  }

 private:
  // `window` itself when it is a control of the main window with a hint, else null (none).
  HWND AreaOf(HWND window) const;
  bool MoveTo(HWND area);

  // Stands for a control whose area has ended; no window has this handle.
  static inline const HWND kRenewed = reinterpret_cast<HWND>(~static_cast<UINT_PTR>(0));

  HWND main_;
  // Compared, never used: the control may be gone by now.
  HWND area_ = nullptr;
  HWND tracked_ = nullptr;  // asked to report the mouse leaving it
};

}  // namespace korvane::platform::win32
