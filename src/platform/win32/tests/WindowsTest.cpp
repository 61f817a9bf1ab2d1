// The application window and the main window.
#include <gtest/gtest.h>

#include <functional>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Application.h"

namespace korvane::platform::win32 {
namespace {

HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

class RecordingWindow : public MainWindowEvents {
 public:
  std::function<bool(UINT, LResult&)> handle = [](UINT, LResult&) { return false; };
  int shown = 0;
  int paints = 0;

  bool WindowMessage(std::uint32_t message, WParam, LParam, LResult& result) override {
    return handle(message, result);
  }
  void WindowPaint(Canvas&) override { ++paints; }
  void WindowShown() override { ++shown; }
  void MouseHintChanged() override {}
};

bool QuitPosted() {
  MSG msg;
  return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST(MainWindow, IsABorderlessPopupOwnedByTheHiddenApplicationWindow) {
  Win32Application app;
  app.SetTitle(FromWide(L"コルヴァーネ"));
  RecordingWindow events;
  auto window = app.CreateMainWindow(events, "Korvane");
  const HWND main = ToHwnd(window->Handle());
  const HWND owner = ToHwnd(app.Handle());

  EXPECT_EQ(GetWindow(main, GW_OWNER), owner);  // hence no taskbar button
  EXPECT_FALSE(IsWindowVisible(owner));
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
  wchar_t text[64];
  GetWindowTextW(main, text, 64);
  EXPECT_STREQ(text, L"Korvane");
  GetWindowTextW(owner, text, 64);
  EXPECT_STREQ(text, L"コルヴァーネ");

  window->SetBounds(10, 20, 100, 50);
  EXPECT_EQ(window->BoundsRect(), BoundsOf(10, 20, 100, 50));
  window->Show();
  EXPECT_EQ(events.shown, 1);
  window->Refresh();
  EXPECT_GE(events.paints, 1);
}

TEST(MainWindow, CloseEndsTheLoopButKeepsTheWindow) {
  Win32Application app;
  RecordingWindow events;
  auto window = app.CreateMainWindow(events, "Korvane");
  const HWND main = ToHwnd(window->Handle());
  QuitPosted();

  SendMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(QuitPosted());
  EXPECT_TRUE(IsWindow(main));

  // The program's own handling comes first and replaces the default.
  events.handle = [](UINT message, LResult& result) {
    result = 42;
    return message == WM_CLOSE;
  };
  EXPECT_EQ(SendMessageW(main, WM_CLOSE, 0, 0), 42);
  EXPECT_FALSE(QuitPosted());

  window.reset();
  EXPECT_FALSE(IsWindow(main));
}

}  // namespace
}  // namespace korvane::platform::win32
