// The help file reader on normal, damaged and hostile files, and the shipped help file.
#include <gtest/gtest.h>
#include <iconv.h>

#include <fstream>
#include <iterator>
#include <set>

#include "help/HelpBook.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

// Whole double-byte characters and no byte outside the code page, walked apart from the reader.
bool IsWellFormed932(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      const auto t = i + 1 < text.size() ? static_cast<unsigned char>(text[++i]) : 0;
      if (t < 0x40 || t > 0xFC || t == 0x7F) return false;
    } else if (c == 0x80 || c == 0xA0 || c >= 0xFD) {
      return false;
    }
  }
  return true;
}

// The system's converter takes every byte as code page 932.
bool ConvertsFrom932(std::string in) {
  const iconv_t cd = iconv_open("UTF-8", "CP932");
  std::string out(in.size() * 4, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  return ok && inLeft == 0;
}

TEST(HelpBook, ReadsTopicsInFileOrderWithTheirText) {
  const HelpBook book = HelpBook::Parse(Sjis(
      "; notes about the file\r\ntext before the first topic\r\n"
      "#1 はじめに\r\n最初の段落です。\r\n\r\n\r\n・次の段落   \r\n\r\n"
      "#10\t設定  \r\n\r\n  字下げはそのまま\r\n; a comment inside a topic\r\n"
      "#7\r\n"
      "#3 last\r\nno line end at the end"));
  const auto& topics = book.Topics();
  ASSERT_EQ(topics.size(), 4u);
  EXPECT_EQ(topics[0].Context, 1);
  EXPECT_EQ(topics[0].Title, Sjis("はじめに"));
  // Runs of blank lines become one; blanks at line ends and blank lines at the ends go.
  EXPECT_EQ(topics[0].Body, Sjis("最初の段落です。\r\n\r\n・次の段落"));
  EXPECT_EQ(topics[1].Context, 10);
  EXPECT_EQ(topics[1].Title, Sjis("設定"));
  EXPECT_EQ(topics[1].Body, Sjis("  字下げはそのまま"));
  EXPECT_EQ(topics[2].Title, "7");  // no title: named by its context
  EXPECT_EQ(topics[2].Body, "");
  EXPECT_EQ(topics[3].Body, "no line end at the end");
}

TEST(HelpBook, FindsTheFirstTopicOfAContextAndOpensUnknownOnesAtTheFirst) {
  const HelpBook book = HelpBook::Parse("#5 a\r\n#1 b\r\n#10 c\r\n#1 copy of b\r\n");
  ASSERT_EQ(book.Topics().size(), 4u);  // a duplicate stays readable in the list
  EXPECT_EQ(book.IndexOf(1), 1u);
  EXPECT_EQ(book.IndexOf(10), 2u);
  EXPECT_EQ(book.IndexOf(5), 0u);
  EXPECT_EQ(book.IndexOf(2), 0u);
  EXPECT_EQ(HelpBook{}.IndexOf(1), 0u);
}

TEST(HelpBook, ReadsAsTextModeAndLetsDoubledMarksStartALine) {
  // LF alone ends a line, CR is dropped anywhere, 0x1A ends the file.
  const HelpBook book =
      HelpBook::Parse("#1 a\nx\ry\r\n##2 is text\n;;so is this\n#2 b\n\x1a#3 after the end\n");
  ASSERT_EQ(book.Topics().size(), 2u);
  EXPECT_EQ(book.Topics()[0].Body, "xy\r\n#2 is text\r\n;so is this");
}

TEST(HelpBook, LeavesOutTopicsThatCannotBeReadAndFindsNoneInFilesWithout) {
  const HelpBook book = HelpBook::Parse(
      "#1 good\nkept\n#x bad\nlost\n#-3 negative\nlost\n#2147483648 too big\nlost\n"
      "#12a glued\nlost\n#\nlost\n#2147483647 biggest\nkept too\n");
  ASSERT_EQ(book.Topics().size(), 2u);
  EXPECT_EQ(book.Topics()[0].Body, "kept");  // the damaged topics' text does not join it
  EXPECT_EQ(book.Topics()[1].Context, 2147483647);
  EXPECT_EQ(book.Topics()[1].Body, "kept too");

  const char nuls[] = "\0\0\0#1 after NULs";
  for (const std::string& file : {std::string(), std::string("\r\n\r\n"),
                                  std::string("just text\r\n; and a comment\r\n"),
                                  std::string("#none\r\n#\r\n"),
                                  std::string(nuls, sizeof nuls - 1)}) {
    EXPECT_TRUE(HelpBook::Parse(file).Empty()) << file;
  }
}

TEST(HelpBook, MendsBytesThatAreNotCodePage932) {
  // A lead byte cut off at the line end goes; one before a byte that cannot follow it shows
  // as '?' and that byte is read on its own; lone bytes outside the code page show as '?';
  // control bytes go, tabs stay.
  const char raw[] =
      "#1 t\x83\n"
      "a\x83\n"
      "b\x83\x20" "c\n"
      "\x80\xA0\xFD\xFE\xFF\n"
      "d\x01\x7F\te\x00" "f\n"
      "\xB1\x83\x40\n";
  const HelpBook book = HelpBook::Parse(std::string(raw, sizeof raw - 1));
  ASSERT_EQ(book.Topics().size(), 1u);
  EXPECT_EQ(book.Topics()[0].Title, "t");
  EXPECT_EQ(book.Topics()[0].Body, "a\r\nb? c\r\n?????\r\nd\tef\r\n\xB1\x83\x40");
}

TEST(HelpBook, HostileFilesStayBounded) {
  std::string many;
  for (int i = 0; i < 2000; ++i) many += "#" + std::to_string(i) + " t\n";
  EXPECT_EQ(HelpBook::Parse(many).Topics().size(), HelpBook::kMaxTopics);

  std::string longTitle = "x";
  for (int i = 0; i < 61; ++i) longTitle += "\x83\x41";  // the limit falls inside one
  const std::string title = HelpBook::Parse("#1 " + longTitle + "\n").Topics()[0].Title;
  EXPECT_EQ(title.size(), HelpBook::kMaxTitleBytes - 1);
  EXPECT_EQ(longTitle.compare(0, title.size(), title), 0);

  // Every byte value in many positions: what comes out is well formed, titles one line each.
  std::string junk = "#1 ";
  for (int i = 0; i < 768; ++i) {
    const char byte = static_cast<char>((i * 37) & 0xFF);
    junk += byte == '\x1a' ? 'z' : byte;  // 0x1A would end the file here
  }
  const HelpBook mended = HelpBook::Parse(junk);
  ASSERT_FALSE(mended.Empty());
  for (const auto& topic : mended.Topics()) {
    EXPECT_TRUE(IsWellFormed932(topic.Title) && IsWellFormed932(topic.Body)) << topic.Context;
    EXPECT_EQ(topic.Title.find_first_of("\r\n\t"), std::string::npos);
  }
}

TEST(ShippedHelpFile, IsCodePage932WithCrLfAndHoldsTheTopicsTheProgramOpens) {
  std::ifstream in(KORVANE_DATA_DIR "/../help/Korvane.hlp", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(bytes.empty());
  EXPECT_TRUE(IsWellFormed932(bytes));
  EXPECT_TRUE(ConvertsFrom932(bytes));
  std::size_t cr = 0;
  std::size_t lf = 0;
  std::size_t crlf = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    cr += bytes[i] == '\r';
    lf += bytes[i] == '\n';
    crlf += bytes.compare(i, 2, "\r\n") == 0;
  }
  EXPECT_EQ(cr, crlf);
  EXPECT_EQ(lf, crlf);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

  const HelpBook book = HelpBook::Parse(bytes);
  ASSERT_GE(book.Topics().size(), 8u);
  EXPECT_EQ(book.Topics()[0].Context, 1);  // the popup menu's topic is the overview
  EXPECT_EQ(book.Topics()[book.IndexOf(10)].Context, 10);  // the options dialog's
  std::set<int> contexts;
  for (const auto& topic : book.Topics()) {
    EXPECT_TRUE(contexts.insert(topic.Context).second) << "context " << topic.Context;
    EXPECT_GT(topic.Body.size(), 400u) << "topic " << topic.Context << " is thin";
  }
  const std::string& options = book.Topics()[book.IndexOf(10)].Body;
  for (const char* page : {"動作設定１", "動作設定２", "動作設定３", "メモリ", "色の設定", "表示項目",
                           "Tabストップ設定", "バージョン情報"}) {
    EXPECT_NE(options.find(Sjis(std::string("【") + page + "】")), std::string::npos) << page;
  }
}

}  // namespace
}  // namespace korvane::test
