#include "platform/win32/DialogTemplate.h"

#include "platform/win32/WindowFont.h"

namespace korvane::platform::win32 {

namespace {
constexpr size_t kItemCountAt = 4;  // in words: after the style and the extended style
}  // namespace

// No WS_SYSMENU: no close button, as the dialogs end only by their own buttons or keys.
DialogTemplate::DialogTemplate(const wchar_t* caption, short width, short height)
    : DialogTemplate(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_CENTER, caption,
                     width, height) {}

DialogTemplate::DialogTemplate(DWORD style, const wchar_t* caption, short width, short height) {
  PutDword(style);
  PutDword(0);
  words_.push_back(0);  // the item count, raised by Add
  for (const short value : {short{0}, short{0}, width, height}) {
    words_.push_back(static_cast<WORD>(value));
  }
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the dialog class
  PutText(caption);
  words_.push_back(kPointSize);
  PutText(Face().c_str());
}

void DialogTemplate::Add(Kind kind, WORD id, const wchar_t* text, DWORD style, short x, short y,
                         short width, short height) {
  AlignToDword();
  PutDword(WS_CHILD | WS_VISIBLE | style);
  PutDword(0);
  for (const short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
  words_.push_back(id);
  words_.push_back(0xFFFF);  // a predefined class by its atom
  words_.push_back(static_cast<WORD>(kind));
  PutText(text);
  words_.push_back(0);  // no creation data
  ++words_[kItemCountAt];
}

const std::wstring& DialogTemplate::Face() {
  // The dialog manager makes the font with the default character set, so it is tried so.
  static const std::wstring face = [] {
    LOGFONTW font{};
    const HDC dc = GetDC(nullptr);
    font.lfHeight = -MulDiv(kPointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    return ChooseJapaneseFace({L"MS UI Gothic", L"Yu Gothic UI", L"Meiryo UI"}, font);
  }();
  return face;
}

void DialogTemplate::PutDword(DWORD value) {
  words_.push_back(LOWORD(value));
  words_.push_back(HIWORD(value));
}

void DialogTemplate::PutText(const wchar_t* text) {
  for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
  words_.push_back(0);
}

void DialogTemplate::AlignToDword() {
  if (words_.size() % 2 != 0) words_.push_back(0);
}

}  // namespace korvane::platform::win32
