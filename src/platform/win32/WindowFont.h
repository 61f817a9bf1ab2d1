// The font of the main window, its canvas and its controls, and the choice of a Japanese face
// that the dialogs share.
#pragma once

#include "platform/win32/Win32Api.h"

#include <initializer_list>
#include <string>

namespace korvane::platform::win32 {

// The first of `preferred`, then of the Japanese faces that Linux systems have (Wine has
// none of Windows' own), that draws Latin letters and kana when made as `font` says;
// `preferred`'s first when none does.
std::wstring ChooseJapaneseFace(std::initializer_list<const wchar_t*> preferred,
                                LOGFONTW font);

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
