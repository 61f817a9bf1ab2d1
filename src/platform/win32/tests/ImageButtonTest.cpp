// The option button, driven by the messages a user's mouse and keyboard would send.
#include "ControlsFixture.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Bitmap.h"
#include "platform/win32/Win32FileSystem.h"

namespace korvane::platform::win32 {
namespace {

using namespace test;
using ImageButtonTest = ControlsFixture;

// A first press or a release, as the message loop delivers it to the focused window.
void Key(HWND to, UINT message, WPARAM key) {
  SendMessageW(to, message, key, message == WM_KEYUP ? 0xC0000001 : 1);
}

void Click(HWND button, int x = 5, int y = 5) {
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
  SendMessageW(button, WM_LBUTTONUP, 0, At(x, y));
}

HWND TooltipOwnedBy(HWND owner) {
  std::pair<HWND, HWND> search{owner, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto& [owner, found] = *reinterpret_cast<std::pair<HWND, HWND>*>(param);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (GetWindow(window, GW_OWNER) == owner && lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) {
          found = window;
        }
        return found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring TipOf(HWND tooltip, HWND button) {
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = GetParent(button);
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, ARRAYSIZE(text), reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST_F(ImageButtonTest, ClickEnterAndSpacePressIt) {
  EventLog log;
  auto button = MakeImageButton(log);
  const HWND hwnd = HwndOf(*button);
  Click(hwnd);
  EXPECT_EQ(log.seen, Events{"click"});
  EXPECT_EQ(GetFocus(), hwnd);  // as a push button takes it
  EXPECT_EQ(GetCapture(), nullptr);
  Click(hwnd, 25, 5);  // released off the button
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(5, 5));  // a release whose press began elsewhere
  EXPECT_EQ(log.seen.size(), 1u);

  Key(hwnd, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(log.seen.size(), 2u);
  // Space presses on its release, as on a push button; its auto-repeat adds nothing.
  Key(hwnd, WM_KEYDOWN, VK_SPACE);
  SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0x40000001);
  EXPECT_EQ(log.seen.size(), 2u);
  Key(hwnd, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(log.seen.size(), 3u);
  // The focus went away while Space was down: its release presses nothing.
  Key(hwnd, WM_KEYDOWN, VK_SPACE);
  SetFocus(MainHwnd());
  SetFocus(hwnd);
  Key(hwnd, WM_KEYUP, VK_SPACE);
  Key(hwnd, WM_KEYDOWN, 'C');
  EXPECT_EQ(log.seen.size(), 3u);
}

TEST_F(ImageButtonTest, HandlerThatDestroysItsButtonIsLeftAlone) {
  // Clicking an option button may rebuild the option buttons, this one among them.
  const std::function<void(HWND)> presses[] = {
      [](HWND b) { Click(b); },
      [](HWND b) { Key(b, WM_KEYDOWN, VK_RETURN); },
      [](HWND b) {
        Key(b, WM_KEYDOWN, VK_SPACE);
        Key(b, WM_KEYUP, VK_SPACE);
      },
  };
  for (const auto& press : presses) {
    EventLog log;
    auto button = MakeImageButton(log);
    button->SetHint("Copy");  // its tool leaves the tooltip from inside the handler
    const HWND hwnd = HwndOf(*button);
    SetFocus(hwnd);
    log.after = [&](const std::string&) { button.reset(); };
    press(hwnd);
    EXPECT_EQ(log.seen, Events{"click"});
    EXPECT_FALSE(IsWindow(hwnd));
  }

  // The panel that loses the focus to the button being pressed ends the button.
  EventLog panelLog, log;
  auto panel = MakePanel(panelLog);
  auto button = MakeImageButton(log);
  const HWND hwnd = HwndOf(*button);
  SetFocus(HwndOf(*panel));
  panelLog.after = [&](const std::string& event) {
    if (event == "exit") button.reset();
  };
  Click(hwnd);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(log.seen.empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ImageButtonTest, ButtonsMadeBeforeTheWindowShowsGetTheirTipsAtItsFirstPaint) {
  // As at start-up: the buttons and their hints come before the window is shown, and the
  // tooltip (with the common controls behind it) is not made until the window has painted.
  std::unique_ptr<MainWindow> window = app_->CreateMainWindow(main_, "Later");
  const HWND hwnd = reinterpret_cast<HWND>(window->Handle());
  window->SetBounds(60, 60, 100, 40);
  EventLog log;
  auto copy = window->CreateImageButton(log);
  copy->SetBounds(5, 5, 25, 25);
  copy->SetVisible(true);
  copy->SetHint("Copy");
  auto plain = window->CreateImageButton(log);  // no hint, no tool
  EXPECT_EQ(TooltipOwnedBy(hwnd), nullptr);

  window->Show();
  UpdateWindow(hwnd);
  const HWND tooltip = TooltipOwnedBy(hwnd);
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(TipOf(tooltip, HwndOf(*copy)), L"Copy");
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  // A button made now gets the same tooltip at once.
  auto paste = window->CreateImageButton(log);
  paste->SetHint("Paste");
  EXPECT_EQ(TipOf(tooltip, HwndOf(*paste)), L"Paste");
}

TEST_F(ImageButtonTest, HintShowsInATooltipWhileTheMouseRestsOnTheButton) {
  EventLog log;
  auto copy = MakeImageButton(log, 5);
  auto paste = MakeImageButton(log, 31);
  const HWND tooltip = TooltipOwnedBy(MainHwnd());
  ASSERT_NE(tooltip, nullptr);
  auto tools = [&] { return SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0); };
  const LRESULT before = tools();
  copy->SetHint(FromWide(L"コピー & 貼り付け"));
  paste->SetHint("Paste");
  paste->SetHint("Paste here");
  EXPECT_EQ(TipOf(tooltip, HwndOf(*copy)), L"コピー & 貼り付け");
  EXPECT_EQ(TipOf(tooltip, HwndOf(*paste)), L"Paste here");
  EXPECT_EQ(tools(), before + 2);
  paste->SetHint("");  // no hint, no tip
  EXPECT_EQ(tools(), before + 1);

  // As while the user works in another program, Korvane's window is not the active one.
  SetActiveWindow(nullptr);
  ASSERT_EQ(GetActiveWindow(), nullptr);
  RECT bounds{};
  GetWindowRect(HwndOf(*copy), &bounds);
  SetCursorPos(bounds.left + 12, bounds.top + 12);
  SendMessageW(HwndOf(*copy), WM_MOUSEMOVE, 0, At(12, 12));
  // The tip waits out its delay on a timer: run the messages until it shows, bounded.
  for (const DWORD start = GetTickCount();
       !IsWindowVisible(tooltip) && GetTickCount() - start < 5000; Sleep(10)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  EXPECT_TRUE(IsWindowVisible(tooltip));
  SendMessageW(tooltip, TTM_POP, 0, 0);

  copy.reset();  // the tool goes with its button
  EXPECT_EQ(tools(), before);
}

TEST_F(ImageButtonTest, GlyphIsCentredWithoutItsBottomLeftColourOnAPushButtonFace) {
  constexpr COLORREF kBack = RGB(0, 128, 0), kRed = RGB(200, 0, 0), kBlue = RGB(0, 0, 200);
  TempFolder temp;
  Win32FileSystem files(temp.WidePath());
  ASSERT_TRUE(files.WriteFile(
      "Copy.bmp", MakeBitmap(18, 18, [&](int x, int y) {
        if (x == 0 && y == 0) return kBlue;
        return x >= 6 && x < 12 && y >= 6 && y < 12 ? kRed : kBack;
      })));
  Win32Bitmap glyph(files, "Copy.bmp");
  EventLog log;
  auto button = MakeImageButton(log);
  button->SetGlyph(&glyph);
  const HWND hwnd = HwndOf(*button);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  {
    Snapshot up(hwnd);
    EXPECT_EQ(up.At(3, 3), kBlue);  // at (25 - 18) / 2
    EXPECT_EQ(up.At(14, 14), kRed);
    EXPECT_FALSE(up.AnyOtherThan(face, 4, 3, 9, 9));  // the glyph's background is not drawn
    EXPECT_FALSE(up.AnyOtherThan(face, 15, 15, 21, 21));
    EXPECT_EQ(up.At(0, 0), light);  // raised
    EXPECT_EQ(up.At(24, 24), GetSysColor(COLOR_3DDKSHADOW));
  }
  auto looksPressed = [&] {
    Snapshot pressed(hwnd);  // sunken, the glyph a pixel down and right
    return pressed.At(4, 4) == kBlue && pressed.At(15, 15) == kRed && pressed.At(0, 0) != light;
  };
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(looksPressed());
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(30, 5));
  EXPECT_FALSE(looksPressed());  // dragged off
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(30, 5));
  Key(hwnd, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(looksPressed());
  Key(hwnd, WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(looksPressed());

  // The focus shows as a dotted frame inside the face, here below the glyph.
  EXPECT_TRUE(Snapshot(hwnd).AnyOtherThan(face, 4, 21, 21, 22));
  SetFocus(MainHwnd());
  EXPECT_FALSE(Snapshot(hwnd).AnyOtherThan(face, 4, 21, 21, 22));
}

}  // namespace
}  // namespace korvane::platform::win32
