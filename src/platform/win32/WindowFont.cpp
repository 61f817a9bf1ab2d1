#include "platform/win32/WindowFont.h"

namespace korvane::platform::win32 {

namespace {

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

bool DrawsLatinAndKana(LOGFONTW font, const wchar_t* face) {
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  const HFONT candidate = CreateFontIndirectW(&font);
  const bool ok = candidate && DrawsLatinAndKana(candidate);
  if (candidate) DeleteObject(candidate);
  return ok;
}

}  // namespace

std::wstring ChooseJapaneseFace(std::initializer_list<const wchar_t*> preferred,
                                LOGFONTW font) {
  // Where a face is missing, the font mapper answers with some other font, which can lack
  // the Latin letters or the kana altogether; so each is tried for both.
  static const wchar_t* const kLinuxFaces[] = {L"Noto Sans CJK JP", L"IPAPGothic",
                                               L"VL PGothic", L"TakaoPGothic"};
  for (const wchar_t* face : preferred) {
    if (DrawsLatinAndKana(font, face)) return face;
  }
  for (const wchar_t* face : kLinuxFaces) {
    if (DrawsLatinAndKana(font, face)) return face;
  }
  return *preferred.begin();
}

WindowFont::WindowFont() {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = ChooseJapaneseFace({L"ＭＳ Ｐゴシック"}, font);
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  font_ = CreateFontIndirectW(&font);
}

WindowFont::~WindowFont() {
  if (font_) DeleteObject(font_);
}

}  // namespace korvane::platform::win32
