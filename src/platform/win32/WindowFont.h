// The font of the main window, its canvas and its controls.
#pragma once

#include "platform/win32/Win32Api.h"

namespace korvane::platform::win32 {

class WindowFont {
 public:
  WindowFont();
  ~WindowFont();
  WindowFont(const WindowFont&) = delete;
  WindowFont& operator=(const WindowFont&) = delete;

  HFONT Handle() const { return font_; }

 private:
  HFONT font_;
};

}  // namespace korvane::platform::win32
