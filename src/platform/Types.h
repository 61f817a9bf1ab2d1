// Plain value types shared by the program and the platform layer.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace korvane::platform {

// An HWND under Windows, an id in the test fake. 0 means "no window".
using WindowHandle = std::uintptr_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Text in UTF-16, exactly as the system holds it: only for a copied text that code page 932
// cannot hold, which is pasted back as it was.
using UnicodeText = std::u16string;

// 0x00BBGGRR for a plain colour, or 0x80000000 plus a system colour index.
using Color = std::int32_t;
constexpr Color kSystemColorFlag = static_cast<Color>(0x80000000u);
constexpr Color ClBtnFace = static_cast<Color>(0x8000000Fu);
constexpr Color ClBlack = 0x000000;
constexpr Color ClWhite = 0xFFFFFF;

constexpr std::uint32_t kStyleVisible = 0x10000000;  // WS_VISIBLE

struct Point {
  int X = 0;
  int Y = 0;
};

struct Rect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  // Half-open, as the system's PtInRect.
  bool Contains(Point p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
};

inline Rect BoundsOf(int left, int top, int width, int height) {
  return Rect{left, top, left + width, top + height};
}

enum class MouseButton { Left, Right, Middle };

// The bevels of a panel, as the toolkit draws them.
enum class Bevel { None, Raised, Lowered };

// What the platform raises when a system resource cannot be had (a bitmap file that does not
// load, say). The text is in code page 932, ready for the error message box.
class PlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvane::platform
