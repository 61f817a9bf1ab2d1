// The preview window: what of a text it lays out, how fast, and how it shows.
#include "ControlsFixture.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "platform/win32/PreviewText.h"
#include "platform/win32/Text.h"

namespace korvane::platform::win32 {
namespace {

using namespace test;
using PreviewTest = ControlsFixture;

TEST(PreviewText, TakesWholeCharactersUpToTheLimits) {
  struct Case {
    const char* what;
    std::string text;
    UnicodeText exact;
    PreviewLimits limits;  // lines, characters, characters of an unbreakable word
    std::wstring shown;
  };
  const Case cases[] = {
      {"up to the character limit", "abc def", u"", {5, 3, 10}, L"abc"},
      {"line breaks are no characters", "ab\r\ncd", u"", {5, 4, 10}, L"ab\r\ncd"},
      {"up to the break of a line beyond", "a\nb\nc", u"", {2, 100, 10}, L"a\nb"},
      {"CR LF and a lone CR each end a line", "a\r\nb\rc\nd", u"", {3, 100, 10}, L"a\r\nb\rc"},
      {"a double-byte character counts once", "\x82\xa0\x82\xa2\x82\xa4", u"", {1, 2, 10},
       L"あい"},
      // 表 ends in 0x5C, ＝ is 0x81 0x81: trail bytes that read as a backslash or a lead.
      {"trail bytes are never taken for characters", "\x95\x5c\x95\x5c", u"", {1, 1, 10}, L"表"},
      {"a trail byte like a lead byte", "\x81\x81\x81\x81x", u"", {1, 2, 10}, L"＝＝"},
      {"the exact text before the 932 one", "x", u"αβγ", {1, 2, 10}, L"αβ"},
      {"a surrogate pair counts once", "", u"\U0001F600\U0001F600x", {1, 1, 10}, L"\U0001F600"},
      // What a long word holds beyond the box is dropped, and costs no characters.
      {"the end of a long word", "abcdefg hi\r\njklmnop", u"", {2, 9, 3}, L"abc hi\r\njkl"},
      {"a hyphen or a slash may break a word", "ab-cd/ef", u"", {1, 100, 2}, L"ab-cd/ef"},
      {"Japanese may break anywhere", "\x82\xa0\x82\xa0\x82\xa0", u"", {1, 100, 1}, L"あああ"},
      {"a tab ends a word", "abc\tabc", u"", {1, 100, 3}, L"abc\tabc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PreviewText(c.text, c.exact, c.limits), c.shown) << c.what;
  }
}

Size ExtentOf(MainWindow& window, const std::string& text, int boxWidth = 200) {
  return window.CreatePreview(text, {}, boxWidth, 500)->TextExtent();
}

TEST_F(PreviewTest, ExtentKeepsLineBreaksWrapsAtTheBoxAndShowsAmpersandsPlainly) {
  const int line = ExtentOf(*window_, "W").Height;
  ASSERT_GT(line, 0);
  for (const auto& [text, lines] : {std::pair<std::string, int>{"W\r\nW", 2}, {"W\nW\n\nW", 4},
                                    {"W\r\n", 1}, {"\x82\xa0\r\n\x82\xa2", 2}}) {
    EXPECT_EQ(ExtentOf(*window_, text).Height, lines * line) << text;
  }
  const Size wrapped = ExtentOf(*window_, "WWW WWW WWW WWW WWW WWW", 70);
  EXPECT_LE(wrapped.Width, 70);
  EXPECT_GE(wrapped.Height, 3 * line);
  EXPECT_GT(ExtentOf(*window_, "A&B").Width, ExtentOf(*window_, "AB").Width);
  EXPECT_EQ(ExtentOf(*window_, "&&").Width, 2 * ExtentOf(*window_, "&").Width);
}

TEST_F(PreviewTest, TenMegabytesCostNoMoreThanWhatFits) {
  constexpr size_t kSize = 10 * 1024 * 1024;
  // As the program opens it: the screen's width and height.
  constexpr int kBox = 1280, kMaxHeight = 794;
  const int line = ExtentOf(*window_, "W").Height;
  auto repeated = [](const std::string& piece) {
    std::string text;
    text.reserve(kSize);
    while (text.size() + piece.size() <= kSize) text += piece;
    return text;
  };
  struct Case {
    const char* what;
    std::string text;
    UnicodeText exact;
    int lowest;  // the least height: the box filled, or the lines there are
  };
  const Case cases[] = {
      {"short lines", repeated("word\r\n"), u"", kMaxHeight - line + 1},
      {"one line of words", repeated("word "), u"", kMaxHeight - line + 1},
      {"one line of double-byte words", repeated("\x82\xa0\x82\xa2 "), u"",
       kMaxHeight - line + 1},
      // Narrower than the average: more of them than first assumed fit.
      {"one line of narrow words", repeated("il "), u"", kMaxHeight - line + 1},
      {"one word", std::string(kSize, 'x'), u"", line},
      {"one word, then a line", std::string(kSize, 'x') + "\r\nnext", u"", 2 * line},
      {"one exact word", "", UnicodeText(kSize / 2, u'y'), line},
  };
  using std::chrono::steady_clock;
  for (const Case& c : cases) {
    const steady_clock::time_point start = steady_clock::now();
    auto preview = window_->CreatePreview(c.text, c.exact, kBox, kMaxHeight);
    const Size extent = preview->TextExtent();
    preview->ShowAt(BoundsOf(0, 0, extent.Width + 6, extent.Height + 6));
    const long long us = (steady_clock::now() - start) / std::chrono::microseconds(1);
    std::printf("10 MB preview, %s: %lld us\n", c.what, us);
    EXPECT_LT(us, 500000) << c.what;
    EXPECT_LE(extent.Height, kMaxHeight) << c.what;
    EXPECT_GE(extent.Height, c.lowest) << c.what;
    EXPECT_LE(extent.Width, kBox) << c.what;
  }
}

HWND PreviewHwnd(PreviewWindow& preview) { return dynamic_cast<WindowObject&>(preview).Hwnd(); }

TEST_F(PreviewTest, ShowsAboveAllWithoutTakingActivationOrFocus) {
  EventLog log;
  auto panel = MakePanel(log);
  SetForegroundWindow(MainHwnd());
  SetFocus(HwndOf(*panel));
  const HWND foreground = GetForegroundWindow(), active = GetActiveWindow(), focus = GetFocus();

  auto preview = window_->CreatePreview("A&B\r\nline two", {}, 200, 100);
  const HWND hwnd = PreviewHwnd(*preview);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), MainHwnd());
  EXPECT_FALSE(IsWindowVisible(hwnd));
  const Rect bounds = BoundsOf(400, 120, 90, 40);
  preview->ShowAt(bounds);

  EXPECT_TRUE(IsWindowVisible(hwnd));
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ((Rect{r.left, r.top, r.right, r.bottom}), bounds);
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));  // painted already
  EXPECT_EQ(GetForegroundWindow(), foreground);
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_EQ(GetFocus(), focus);
  // Neither a click nor the mouse's hit test stops at it.
  EXPECT_EQ(SendMessageW(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(MainHwnd()),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(420, 130)), HTTRANSPARENT);
  wchar_t text[64] = {};
  GetWindowTextW(hwnd, text, 64);
  EXPECT_STREQ(text, L"A&B\r\nline two");
  // White inside a thin border (the text's place is checked below).
  const Snapshot shot(hwnd);
  for (const POINT border : {POINT{0, 20}, POINT{45, 0}, POINT{89, 20}, POINT{45, 39}}) {
    EXPECT_NE(shot.At(border.x, border.y), 0xFFFFFFu) << border.x << "," << border.y;
  }
  EXPECT_FALSE(shot.AnyOtherThan(0xFFFFFF, 1, 1, 2, 39));

  preview.reset();
  EXPECT_FALSE(IsWindow(hwnd));
}

// A text of the kinds the layout meets: words short and narrow, hyphenated, with slashes,
// Japanese, words too long for the box, and line breaks now and then. Two things are left
// out, where Wine's own layout does what no box would show: a word of more than 1024 characters (Wine goes on
// with it on the next line), and tabs (a tab that reaches past the box puts the rest of the
// line beyond the right edge, where the preview spends its characters unseen and so may end
// a few lines early).
std::string MixedText(std::uint32_t seed, size_t words) {
  static const wchar_t* const kWords[] = {L"a", L"word", L"il", L"longer", L"hyphen-ated",
                                          L"日本語の文", L"&", L"MMMM", L"a/path/name"};
  std::wstring text;
  for (size_t i = 0; i < words; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const std::uint32_t pick = seed >> 8;
    if (pick % 97 == 0) {
      text += std::wstring(300 + pick % 600, L'x');  // wider than the box
    } else if (pick % 41 == 0) {
      text += L"\r\n";
    } else {
      text += kWords[pick % ARRAYSIZE(kWords)];
    }
    text += L' ';
  }
  return FromWide(text);
}

// The text drawn as the preview draws it, but all of it: what the preview shows must not
// tell that it laid out only a head of the text.
void DrawWhole(HDC dc, const std::string& text, int boxWidth, SIZE client) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfStatusFont.lfWeight = FW_BOLD;
  const HFONT font = CreateFontIndirectW(&metrics.lfStatusFont);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT all{0, 0, client.cx, client.cy};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  RECT box{2, 2, 2 + boxWidth, client.cy};
  const std::wstring wide = ToWide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
            DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  DeleteObject(font);
}

TEST_F(PreviewTest, ShowsWhatTheWholeTextWouldShow) {
  struct Case {
    std::uint32_t seed;
    int boxWidth, maxHeight;
  };
  for (const Case c : {Case{1, 300, 200}, Case{2, 300, 200}, Case{3, 160, 260}, Case{4, 500, 90}}) {
    const std::string text = MixedText(c.seed, 6000);
    auto preview = window_->CreatePreview(text, {}, c.boxWidth, c.maxHeight);
    const Size extent = preview->TextExtent();
    EXPECT_EQ(extent.Height, c.maxHeight) << c.seed;
    const SIZE client{extent.Width + 4, extent.Height + 4};
    preview->ShowAt(BoundsOf(100, 100, client.cx, client.cy));
    const Snapshot shown(PreviewHwnd(*preview));

    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.cx, client.cy);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    DrawWhole(dc, text, c.boxWidth, client);
    int differing = 0;
    for (int y = 2; y < client.cy - 1; ++y) {
      for (int x = 2; x < client.cx - 1; ++x) differing += shown.At(x, y) != GetPixel(dc, x, y);
    }
    EXPECT_EQ(differing, 0) << c.seed;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
}

}  // namespace
}  // namespace korvane::platform::win32
