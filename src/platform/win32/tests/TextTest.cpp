#include <gtest/gtest.h>

#include "platform/win32/Text.h"

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

}  // namespace
}  // namespace korvane::platform::win32
