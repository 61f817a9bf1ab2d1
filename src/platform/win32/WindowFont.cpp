#include "platform/win32/WindowFont.h"

namespace korvane::platform::win32 {

namespace {

HFONT MakeFont(const wchar_t* face) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

// Memories hold Latin letters and Japanese alike.
bool DrawsLatinAndKana(HFONT font) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  WORD glyphs[2] = {};
  const bool ok = GetGlyphIndicesW(dc, L"Wあ", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 2 &&
                  glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return ok;
}

}  // namespace

WindowFont::WindowFont() {
  // Where ＭＳ Ｐゴシック is missing (Wine), the font mapper answers with some font of the
  // charset, which can lack the Latin letters altogether; then a Japanese face that has
  // both is taken, if there is one.
  static const wchar_t* const kFaces[] = {L"ＭＳ Ｐゴシック", L"Noto Sans CJK JP", L"IPAPGothic",
                                          L"VL PGothic", L"TakaoPGothic"};
  font_ = MakeFont(kFaces[0]);
  if (DrawsLatinAndKana(font_)) return;
  for (size_t i = 1; i < ARRAYSIZE(kFaces); ++i) {
    const HFONT candidate = MakeFont(kFaces[i]);
    if (DrawsLatinAndKana(candidate)) {
      DeleteObject(font_);
      font_ = candidate;
      return;
    }
    DeleteObject(candidate);
  }
}

WindowFont::~WindowFont() {
  if (font_) DeleteObject(font_);
}

}  // namespace korvane::platform::win32
