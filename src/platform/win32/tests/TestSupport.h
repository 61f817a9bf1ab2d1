// Helpers shared by the Windows layer's tests.
#pragma once

#include "platform/win32/Win32Api.h"

#include <functional>
#include <string>

namespace korvane::platform::win32::test {

// What a window paints, as WM_PRINTCLIENT draws it into a bitmap of the client area's size.
class Snapshot {
 public:
  explicit Snapshot(HWND window);
  ~Snapshot();
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Whether any pixel of the rectangle differs from `color`.
  bool AnyOtherThan(COLORREF color, int left, int top, int right, int bottom) const;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// A fresh folder under the temporary folder, with a Japanese name so that paths go through
// the code page 932 conversion; removed with its files afterwards.
class TempFolder {
 public:
  TempFolder();
  // Named `name` (plus the process id), which may lie outside code page 932; Path() is then
  // empty.
  explicit TempFolder(const std::wstring& name);
  ~TempFolder();
  const std::string& Path() const { return path_; }  // code page 932, ends with a backslash
  const std::wstring& WidePath() const { return wide_; }  // ends with a backslash

 private:
  std::string path_;
  std::wstring wide_;
};

// A 24-bit .bmp file (the shipped pictures' kind) of the given size; `colourAt` gives the
// colour of each pixel, y counted from the top.
std::string MakeBitmap(int width, int height,
                       const std::function<COLORREF(int x, int y)>& colourAt);

// A 24-bit .bmp file of four 20x20 images in the given colours, side by side, whose bottom
// rows are magenta (the transparent colour, as the bottom-left pixel says).
std::string MakeGlyphStrip(const COLORREF (&colours)[4]);

// Counts, while it lives, the moves, showings and z-order changes (WM_WINDOWPOSCHANGING) and
// the style changes a window goes through, by subclassing it; `onMessage`, when set, sees
// every message before the window does.
class MessageWatch {
 public:
  explicit MessageWatch(HWND window);
  ~MessageWatch();
  MessageWatch(const MessageWatch&) = delete;
  MessageWatch& operator=(const MessageWatch&) = delete;

  int positions = 0;
  int styles = 0;
  std::function<void(UINT message, WPARAM wParam)> onMessage;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_;
  WNDPROC old_;
};

}  // namespace korvane::platform::win32::test
