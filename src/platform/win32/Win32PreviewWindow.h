// The preview: a topmost popup owned by the main window, tooltip-like: it never takes the
// activation or the focus, and the mouse passes through it. Its text is laid out once, when
// it is made, and only as much of it as fits.
#pragma once

#include "platform/win32/Win32Api.h"

#include <string>

#include "platform/PreviewWindow.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

class Win32PreviewWindow : public PreviewWindow, public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"KorvanePreview";

  // Created hidden, owned by `owner`.
  Win32PreviewWindow(HWND owner, const std::string& text, const UnicodeText& exact, int boxWidth,
                     int maxHeight);
  ~Win32PreviewWindow() override;

  Size TextExtent() const override { return extent_; }
  void ShowAt(const Rect& bounds) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Takes what of the text can show into text_, and its extent.
  void LayOut(HDC dc, const std::string& text, const UnicodeText& exact, int maxHeight);
  // The extent of `text` laid out in the box on `dc` (in the text's settings), as high as
  // all its lines.
  Size Measure(HDC dc, const std::wstring& text) const;
  void Paint(HDC dc);

  HFONT font_;  // owned
  int boxWidth_;
  std::wstring text_;  // what fits, not the whole text
  Size extent_;
};

}  // namespace korvane::platform::win32
