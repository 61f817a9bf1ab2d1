// A canvas over a device context: the paint DC of WM_PAINT, or a window DC of its own.
#pragma once

#include "platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "platform/Canvas.h"

namespace korvane::platform::win32 {

class Win32Canvas : public Canvas {
 public:
  // Draws on `dc`, which stays the caller's.
  Win32Canvas(HDC dc, HFONT font);
  // Draws on the window's DC, released with the canvas.
  static std::unique_ptr<Win32Canvas> ForWindow(HWND window, HFONT font);
  ~Win32Canvas() override;
  Win32Canvas(const Win32Canvas&) = delete;
  Win32Canvas& operator=(const Win32Canvas&) = delete;

  Color PenColor() const override { return penColor_; }
  void SetPenColor(Color color) override;
  Color BrushColor() const override { return brushColor_; }
  void SetBrushColor(Color color) override;

  void FillRect(const Rect& rect) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& text) override;

 private:
  HDC dc_;
  HWND releaseTo_ = nullptr;
  HFONT font_;
  int savedState_;
  Color penColor_ = ClBlack;
  Color brushColor_ = ClWhite;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
};

}  // namespace korvane::platform::win32
