// The help window: what it shows, picking a topic, one window for every request, the keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Text.h"
#include "platform/win32/Win32HelpWindow.h"
#include "platform/win32/WindowFont.h"

namespace korvane::platform::win32 {
namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::vector<std::wstring> ListEntries(HWND list) {
  std::vector<std::wstring> entries;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring entry(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    entry.resize(static_cast<size_t>(
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
    entries.push_back(entry);
  }
  return entries;
}

int HelpWindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counter) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (std::wstring(name) == Win32HelpWindow::kClassName) ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

HelpTopic Topic(int context, const wchar_t* title, const wchar_t* body) {
  return HelpTopic{context, FromWide(title), FromWide(body)};
}

// What the window must show for a topic: the title, a blank line, the body, from the 932 bytes.
std::wstring Expected(const HelpTopic& topic) {
  return ToWide(topic.Title) + L"\r\n\r\n" + ToWide(topic.Body);
}

class HelpWindow : public ::testing::Test {
 protected:
  std::vector<HelpTopic> topics{
      Topic(1, L"Korvaneについて", L"コピーしたテキストを記憶します。\r\n\r\n・ボタンで貼り付け"),
      Topic(2, L"メモリのLockと保存", L"Lock したメモリは消えません。"),
      Topic(10, L"設定ダイアログ", L"【動作設定１】\r\n自動的に隠す"),
  };
  Win32HelpWindow help;

  void ExpectShowing(size_t index) {
    EXPECT_EQ(SendMessageW(help.TopicList(), LB_GETCURSEL, 0, 0), static_cast<LRESULT>(index));
    EXPECT_EQ(TextOf(help.TopicText()), Expected(topics[index]));
  }
};

TEST_F(HelpWindow, OpensAsAResizableCaptionedWindowAtTheAskedTopicInTheProgramsFont) {
  help.Show(topics, 2);
  Pump();
  const HWND window = help.Hwnd();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), L"Korvane ヘルプ");
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);  // a window of its own

  EXPECT_EQ(ListEntries(help.TopicList()),
            (std::vector<std::wstring>{L"Korvaneについて", L"メモリのLockと保存", L"設定ダイアログ"}));
  ExpectShowing(2);
  EXPECT_TRUE(GetWindowLongPtrW(help.TopicText(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(GetFocus(), help.TopicList());

  // The list beside the text, both inside the window, neither empty.
  RECT list{};
  RECT text{};
  GetWindowRect(help.TopicList(), &list);
  GetWindowRect(help.TopicText(), &text);
  EXPECT_LE(list.right, text.left);
  EXPECT_GT(list.bottom - list.top, 100);
  EXPECT_GT(text.right - text.left, list.right - list.left);

  // The program's font, which has the Japanese letters.
  WindowFont font;
  LOGFONTW expected{};
  LOGFONTW shown{};
  GetObjectW(font.Handle(), sizeof expected, &expected);
  for (const HWND control : {help.TopicList(), help.TopicText()}) {
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    ASSERT_NE(handle, nullptr);
    GetObjectW(handle, sizeof shown, &shown);
    EXPECT_STREQ(shown.lfFaceName, expected.lfFaceName);
    EXPECT_EQ(shown.lfHeight, expected.lfHeight);
  }
}

TEST_F(HelpWindow, PickingATitleShowsItsTextAndTabMovesToTheText) {
  help.Show(topics, 0);
  // With the keyboard, as the list box moves its selection and tells its parent.
  SendMessageW(help.TopicList(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  ExpectShowing(1);

  // With the mouse, on the last title.
  RECT item{};
  SendMessageW(help.TopicList(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageW(help.TopicList(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(help.TopicList(), WM_LBUTTONUP, 0, at);
  Pump();
  ExpectShowing(2);

  // Tab goes to the text and back; the text is read-only, so nothing is typed into it.
  SetFocus(help.TopicList());
  SendMessageW(help.TopicList(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), help.TopicText());
  SendMessageW(help.TopicText(), WM_CHAR, L'x', 0);
  SendMessageW(help.TopicText(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), help.TopicList());
  Pump();
  ExpectShowing(2);
}

TEST_F(HelpWindow, AskingAgainBringsTheSameWindowToTheNewTopic) {
  help.Show(topics, 0);
  const HWND first = help.Hwnd();
  SendMessageW(help.TopicList(), WM_KEYDOWN, VK_DOWN, 0);
  ShowWindow(first, SW_MINIMIZE);
  Pump();

  topics.push_back(Topic(11, L"データとファイル", L"Data フォルダ"));
  help.Show(topics, 3);
  Pump();
  EXPECT_EQ(help.Hwnd(), first);
  EXPECT_EQ(HelpWindowsOfThisThread(), 1);
  EXPECT_FALSE(IsIconic(first));
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_EQ(ListEntries(help.TopicList()).size(), 4u);  // the list is the new book's
  ExpectShowing(3);

  help.Show(topics, 99);  // out of range: the first topic
  ExpectShowing(0);
}

TEST_F(HelpWindow, EscClosesItFromEitherControlAndItOpensAgain) {
  for (const bool fromText : {false, true}) {
    help.Show(topics, 1);
    const HWND window = help.Hwnd();
    SendMessageW(fromText ? help.TopicText() : help.TopicList(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(window)) << (fromText ? "text" : "list");
    EXPECT_EQ(help.Hwnd(), nullptr);
    EXPECT_EQ(help.TopicList(), nullptr);
    EXPECT_EQ(HelpWindowsOfThisThread(), 0);
  }
  help.Show(topics, 2);
  Pump();
  ASSERT_NE(help.Hwnd(), nullptr);
  EXPECT_TRUE(IsWindowVisible(help.Hwnd()));
  ExpectShowing(2);
}

}  // namespace
}  // namespace korvane::platform::win32
