// Helpers shared by the Windows layer's tests.
#pragma once

#include "platform/win32/Win32Api.h"

#include <string>
#include <vector>

namespace korvane::platform::win32::test {

// What a window paints, as WM_PRINTCLIENT draws it into a bitmap of the client area's size.
class Snapshot {
 public:
  explicit Snapshot(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    const HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  ~Snapshot() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Whether any pixel of the rectangle differs from `color`.
  bool AnyOtherThan(COLORREF color, int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (At(x, y) != color) return true;
    return false;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// A fresh folder under the temporary folder, with a Japanese name so that paths go through
// the code page 932 conversion; removed with its files afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }  // code page 932, ends with a backslash

 private:
  std::string path_;
};

// A 24-bit bottom-up .bmp file of `width` x `height`, each pixel from `color(x, y)`.
template <class ColorOf>
std::string MakeBmp(int width, int height, ColorOf color) {
  const int stride = (width * 3 + 3) & ~3;
  const int imageSize = stride * height;
  std::string bytes(54 + static_cast<size_t>(imageSize), '\0');
  auto put32 = [&](size_t at, unsigned value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<unsigned>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<unsigned>(width));
  put32(22, static_cast<unsigned>(height));
  bytes[26] = 1;   // planes
  bytes[28] = 24;  // bits per pixel
  put32(34, static_cast<unsigned>(imageSize));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = color(x, y);
      const size_t at = 54 + static_cast<size_t>((height - 1 - y) * stride + x * 3);
      bytes[at] = static_cast<char>(GetBValue(c));
      bytes[at + 1] = static_cast<char>(GetGValue(c));
      bytes[at + 2] = static_cast<char>(GetRValue(c));
    }
  }
  return bytes;
}

}  // namespace korvane::platform::win32::test
