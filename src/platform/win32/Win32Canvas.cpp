#include "platform/win32/Win32Canvas.h"

#include "platform/win32/Colors.h"
#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

Win32Canvas::Win32Canvas(HDC dc, HFONT font) : dc_(dc), font_(font), savedState_(SaveDC(dc)) {
  SetPenColor(penColor_);
  SetBrushColor(brushColor_);
}

std::unique_ptr<Win32Canvas> Win32Canvas::ForWindow(HWND window, HFONT font) {
  auto canvas = std::make_unique<Win32Canvas>(GetDC(window), font);
  canvas->releaseTo_ = window;
  return canvas;
}

Win32Canvas::~Win32Canvas() {
  // Restoring the DC deselects our pen and brush, so they can be deleted.
  RestoreDC(dc_, savedState_);
  if (pen_) DeleteObject(pen_);
  if (brush_) DeleteObject(brush_);
  if (releaseTo_) ReleaseDC(releaseTo_, dc_);
}

void Win32Canvas::SetPenColor(Color color) {
  penColor_ = color;
  const HPEN pen = CreatePen(PS_SOLID, 1, ResolveColor(color));
  SelectObject(dc_, pen);
  if (pen_) DeleteObject(pen_);
  pen_ = pen;
}

void Win32Canvas::SetBrushColor(Color color) {
  brushColor_ = color;
  const HBRUSH brush = CreateSolidBrush(ResolveColor(color));
  SelectObject(dc_, brush);
  if (brush_) DeleteObject(brush_);
  brush_ = brush;
}

void Win32Canvas::FillRect(const Rect& rect) {
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::FillRect(dc_, &r, brush_);
}

void Win32Canvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void Win32Canvas::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void Win32Canvas::Rectangle(int left, int top, int right, int bottom) {
  ::Rectangle(dc_, left, top, right, bottom);
}

void Win32Canvas::TextOut(int x, int y, const std::string& text) {
  const std::wstring wide = ToWide(text);
  const HGDIOBJ oldFont = SelectObject(dc_, font_);
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, ResolveColor(brushColor_));
  SetTextColor(dc_, GetSysColor(COLOR_WINDOWTEXT));
  ::TextOutW(dc_, x, y, wide.data(), static_cast<int>(wide.size()));
  SelectObject(dc_, oldFont);
}

}  // namespace korvane::platform::win32
