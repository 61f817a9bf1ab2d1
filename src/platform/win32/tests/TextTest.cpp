#include <gtest/gtest.h>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Api.h"

namespace korvane::platform::win32 {
namespace {

// デフォルト in code page 932.
const std::string kDefault = "\x83\x66\x83\x74\x83\x48\x83\x8B\x83\x67";

TEST(Text, ConvertsWithCodePage932WhateverTheSystemCodePage) {
  // Wine's ANSI code page is 1252: a conversion through it would garble these.
  EXPECT_EQ(FromWide(L"デフォルト"), kDefault);
  EXPECT_EQ(ToWide(kDefault), L"デフォルト");
  EXPECT_EQ(ToWide("\xB1"), L"ｱ");  // half-width katakana: one byte
  const std::string mixed = "a\r\n" + kDefault + "\tz";
  EXPECT_EQ(FromWide(ToWide(mixed)), mixed);
  EXPECT_EQ(ToWide(""), L"");
}

TEST(Text, CaptionDropsOnlyALoneLeadByteAtTheEnd) {
  EXPECT_EQ(CaptionToWide("ab\x83"), L"ab");
  EXPECT_EQ(CaptionToWide(kDefault + "\x83"), L"デフォルト");
  // 画 is 0x89 0xE6: its second byte is also a lead byte value, which a check of the last
  // byte alone would take for a cut character.
  EXPECT_EQ(CaptionToWide("\x89\xE6"), L"画");
  EXPECT_EQ(CaptionToWide("\x89\xE6\x89"), L"画");
  EXPECT_EQ(CaptionToWide("x\xB1"), L"xｱ");
  EXPECT_EQ(CaptionToWide("\x83"), L"");
  EXPECT_EQ(LengthWithoutLoneLeadByte(std::string("\x83\x66\x83", 3)), 2u);
}

// What the system's conversion makes of the whole text in one call.
// The system's own conversion, without its best fit (a character 932 lacks becomes "?").
std::string SystemFromWide(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string narrow(static_cast<size_t>(size) * 2, '\0');
  const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                         narrow.data(), size * 2, "?", nullptr);
  narrow.resize(static_cast<size_t>(length));
  return narrow;
}

TEST(Text, LongTextsConvertAsOneWholeWhereverTheirLettersFall) {
  // Long stretches of ASCII, Japanese and characters outside code page 932 (a surrogate
  // pair, a lone surrogate) at and around every place a long text may be cut for speed.
  const std::wstring ascii(5000, L'a');
  for (const size_t at : {4094u, 4095u, 4096u, 4097u, 8191u}) {
    for (const std::wstring& odd : {std::wstring(L"デ"), std::wstring(L"\xD83D\xDE00"),
                                    std::wstring(L"\xD83D"), std::wstring(L"\xDE00x"),
                                    std::wstring(L"\u00E9")}) {
      std::wstring text = ascii + ascii;
      text.insert(at, odd);
      EXPECT_EQ(FromWide(text), SystemFromWide(text)) << "at " << at;
    }
  }
  std::wstring japanese;
  for (int i = 0; i < 3000; ++i) japanese += L"デフォルト\r\n";
  EXPECT_EQ(FromWide(japanese), SystemFromWide(japanese));
  EXPECT_EQ(FromWide(ascii).size(), ascii.size());
  EXPECT_EQ(FromWide(L""), "");
  const std::wstring inner(L"a\0\u00E9", 3);  // a null inside is text like any other
  EXPECT_EQ(FromWide(inner), std::string("a\0?", 3));
}

TEST(Text, ClipboardTextEndsAtItsNullOrItsBlock) {
  const std::wstring ascii(5000, L'a');
  std::wstring text = ascii + L"デ" + ascii;
  const std::string whole = SystemFromWide(text);
  EXPECT_EQ(FromWideUpToNull(text.c_str(), text.size() + 1), whole);
  EXPECT_EQ(FromWideUpToNull(text.c_str(), text.size()), whole);  // no null in the block
  EXPECT_EQ(FromWideUpToNull(text.c_str(), 4999), std::string(4999, 'a'));
  for (const size_t at : {0u, 10u, 5000u, 5001u, 5002u, 8191u}) {
    std::wstring cut = text;
    cut[at] = L'\0';
    EXPECT_EQ(FromWideUpToNull(cut.c_str(), cut.size()), SystemFromWide(text.substr(0, at)))
        << "null at " << at;
  }
}

}  // namespace
}  // namespace korvane::platform::win32
