// Drawing on the main window, in the window's font.
#pragma once

#include <string>

#include "platform/Types.h"

namespace korvane::platform {

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual Color PenColor() const = 0;
  virtual void SetPenColor(Color color) = 0;  // a 1-pixel solid pen
  virtual Color BrushColor() const = 0;
  virtual void SetBrushColor(Color color) = 0;

  virtual void FillRect(const Rect& rect) = 0;  // with the brush
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // the end point is not painted
  // Outlined with the pen and filled with the brush; right and bottom are exclusive.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // Text in code page 932 drawn with its top-left at (x, y) on the brush colour.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
};

}  // namespace korvane::platform
