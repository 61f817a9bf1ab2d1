// The options dialog's eight pages: their tab captions, and their controls laid out in pixels
// on each page's window.
#pragma once

#include "platform/win32/Win32Api.h"

namespace korvane::platform::win32::options {

extern const wchar_t* const kPageCaptions[8];

// Makes controls on a page in the dialog's font. Controls come in tab order.
class PageBuilder {
 public:
  PageBuilder(HWND page, HFONT font) : page_(page), font_(font) {}

  HWND Add(const wchar_t* windowClass, int id, const wchar_t* text, DWORD style, int x, int y,
           int width, int height, DWORD extendedStyle = 0);
  void Group(const wchar_t* text, int x, int y, int width, int height);
  HWND Label(const wchar_t* text, int x, int y, int width, int id = -1);
  void Check(int id, const wchar_t* text, int x, int y, int width, DWORD more = WS_VISIBLE);
  void Radio(int id, const wchar_t* text, int x, int y, int width, bool first);
  // An edit of `width` and its up-down (id + 1) just right of it; `digits` limits the edit.
  void Number(int id, int x, int y, int width, int digits);
  void Button(int id, const wchar_t* text, int x, int y, int width);
  void Sample(int id, const wchar_t* text, int x, int y, int width, int height);

 private:
  HWND page_;
  HFONT font_;
};

void LayOutPage(int page, PageBuilder& builder);

}  // namespace korvane::platform::win32::options
