// The memory folder's file formats, byte for byte.
#include <gtest/gtest.h>

#include "memory/MemoryFiles.h"
#include "platform/TextMode.h"

namespace korvane {
namespace {

TEST(MemoryFileFormat, WorkedExamplesRoundTrip) {
  // A CR LF break is stored as CR CR LF and read back as CR LF.
  EXPECT_EQ(EncodeMemoryFile("ab\r\nc"), "ab\r\r\nc");
  EXPECT_EQ(DecodeMemoryFile("ab\r\r\nc"), "ab\r\nc");
  // A bare LF is stored as CR LF and read back as CR LF.
  EXPECT_EQ(EncodeMemoryFile("a\nb"), "a\r\nb");
  EXPECT_EQ(DecodeMemoryFile("a\r\nb"), "a\r\nb");
}

TEST(MemoryFileFormat, NothingIsAddedOrTerminated) {
  EXPECT_EQ(EncodeMemoryFile(""), "");
  EXPECT_EQ(EncodeMemoryFile("x"), "x");
  EXPECT_EQ(EncodeMemoryFile("line\n"), "line\r\n");
  const std::string sjis = "\x83\x66\x83\x74";  // double-byte text passes untouched
  EXPECT_EQ(EncodeMemoryFile(sjis), sjis);
  EXPECT_EQ(DecodeMemoryFile(sjis), sjis);
}

TEST(MemoryFileFormat, BareCarriageReturnIsLostOnReload) {
  EXPECT_EQ(EncodeMemoryFile("a\rb"), "a\rb");
  EXPECT_EQ(DecodeMemoryFile(EncodeMemoryFile("a\rb")), "ab");
  EXPECT_EQ(DecodeMemoryFile("\r\r\r"), "");
}

TEST(MemoryFileFormat, ControlZEndsTheText) {
  EXPECT_EQ(DecodeMemoryFile(EncodeMemoryFile(std::string("ab\x1a" "cd"))), "ab");
  EXPECT_EQ(DecodeMemoryFile(std::string("\x1a" "rest")), "");
  // A 0x1A that is the second byte of nothing else still ends it; bytes before are kept whole.
  EXPECT_EQ(DecodeMemoryFile(std::string("x\n\x1a\n")), "x\r\n");
}

TEST(CountFileFormat, WrittenAsBareDigits) {
  EXPECT_EQ(EncodeCountFile(0), "0");
  EXPECT_EQ(EncodeCountFile(7), "7");
  EXPECT_EQ(EncodeCountFile(12), "12");
}

TEST(CountFileFormat, ReadLikeScanfDecimal) {
  EXPECT_EQ(DecodeCountFile("3"), 3);
  EXPECT_EQ(DecodeCountFile("  \r\n\t 12 trailing words"), 12);
  EXPECT_EQ(DecodeCountFile("+4"), 4);
  EXPECT_EQ(DecodeCountFile("-2"), -2);
  EXPECT_EQ(DecodeCountFile("5abc"), 5);
  EXPECT_EQ(DecodeCountFile("007"), 7);
  EXPECT_FALSE(DecodeCountFile(""));
  EXPECT_FALSE(DecodeCountFile("abc"));
  EXPECT_FALSE(DecodeCountFile("- 3"));
  EXPECT_FALSE(DecodeCountFile(std::string("\x1a" "3")));
  // Beyond 32 bits the count saturates instead of wrapping into a small or negative number.
  EXPECT_EQ(DecodeCountFile("99999999999999999999"), 2147483647);
  EXPECT_EQ(DecodeCountFile("-99999999999999999999"), -2147483647 - 1);
}

TEST(MemoryFileNames, DecimalWithoutPadding) {
  EXPECT_EQ(MemoryFileWriteName(0), "memory0.dat");
  EXPECT_EQ(MemoryFileWriteName(9), "memory9.dat");
  EXPECT_EQ(MemoryFileWriteName(10), "memory10.dat");
  EXPECT_EQ(MemoryFileReadName(11), "Memory11.dat");
  EXPECT_EQ(CountFileReadName(), "Index.dat");
  EXPECT_EQ(CountFileWriteName(), "index.dat");
}

TEST(TextMode, ScanWordSplitsOnAnyWhiteSpace) {
  std::string text = " /////a/////\r\n12\t-3";
  std::size_t pos = 0;
  std::string word;
  ASSERT_TRUE(platform::ScanWord(text, pos, word));
  EXPECT_EQ(word, "/////a/////");
  std::int32_t value = 0;
  ASSERT_TRUE(platform::ScanDecimal(text, pos, value));
  EXPECT_EQ(value, 12);
  ASSERT_TRUE(platform::ScanDecimal(text, pos, value));
  EXPECT_EQ(value, -3);
  EXPECT_FALSE(platform::ScanWord(text, pos, word));
}

}  // namespace
}  // namespace korvane
