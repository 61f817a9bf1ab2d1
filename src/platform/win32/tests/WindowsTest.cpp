// The application window, the main window and its canvas.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "TestSupport.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/WindowFont.h"

namespace korvane::platform::win32 {
namespace {

HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

class RecordingWindow : public MainWindowEvents {
 public:
  std::vector<UINT> messages;
  std::function<bool(UINT, LResult&)> handle = [](UINT, LResult&) { return false; };
  int shown = 0;
  int paints = 0;

  bool WindowMessage(std::uint32_t message, WParam, LParam, LResult& result) override {
    messages.push_back(message);
    return handle(message, result);
  }
  void WindowPaint(Canvas& canvas) override {
    ++paints;
    canvas.SetBrushColor(0x0000FF);
    canvas.FillRect(Rect{0, 0, 4, 4});
  }
  void WindowShown() override { ++shown; }
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

  EXPECT_EQ(GetWindow(main, GW_OWNER), owner);
  EXPECT_FALSE(IsWindowVisible(owner));
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
  EXPECT_FALSE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(GetClassLongW(main, GCL_STYLE) & CS_DBLCLKS);

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
  EXPECT_EQ(events.messages.back(), static_cast<UINT>(WM_CLOSE));

  window.reset();
  EXPECT_FALSE(IsWindow(main));
}

TEST(MainWindow, ErasesWithItsColour) {
  Win32Application app;
  RecordingWindow events;
  auto window = app.CreateMainWindow(events, "Korvane");
  window->SetBounds(0, 0, 30, 30);
  window->SetColor(0x123456);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 30, 30);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(ToHwnd(window->Handle()), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 15, 15), 0x123456u);
  window->SetColor(ClBtnFace);
  SendMessageW(ToHwnd(window->Handle()), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 15, 15), GetSysColor(COLOR_BTNFACE));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() {
    const HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, 40, 20);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    const RECT all{0, 0, 40, 20};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~CanvasTest() override {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) { return GetPixel(dc_, x, y); }

  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  WindowFont font_;
};

TEST_F(CanvasTest, LinesAndRectanglesEndBeforeTheirLastPixel) {
  {
    Win32Canvas canvas(dc_, font_.Handle());
    canvas.SetPenColor(0x0000FF);
    canvas.MoveTo(0, 0);
    canvas.LineTo(5, 0);
    canvas.SetBrushColor(ClBtnFace);
    canvas.Rectangle(10, 2, 15, 7);
    EXPECT_EQ(canvas.PenColor(), 0x0000FF);
    EXPECT_EQ(canvas.BrushColor(), ClBtnFace);
  }
  EXPECT_EQ(At(4, 0), 0x0000FFu);
  EXPECT_EQ(At(5, 0), 0xFFFFFFu);
  EXPECT_EQ(At(10, 2), 0x0000FFu);   // outline in the pen
  EXPECT_EQ(At(14, 6), 0x0000FFu);
  EXPECT_EQ(At(15, 6), 0xFFFFFFu);   // right and bottom exclusive
  EXPECT_EQ(At(12, 4), GetSysColor(COLOR_BTNFACE));  // filled with the resolved colour
}

TEST_F(CanvasTest, TextIsDrawnOnTheBrushColour) {
  {
    Win32Canvas canvas(dc_, font_.Handle());
    canvas.SetBrushColor(0x00FF00);
    canvas.TextOut(2, 2, FromWide(L"メ"));
  }
  int background = 0;
  int ink = 0;
  for (int y = 2; y < 14; ++y) {
    for (int x = 2; x < 12; ++x) {
      const COLORREF c = At(x, y);
      if (c == 0x00FF00u) ++background;
      else if (c != 0xFFFFFFu) ++ink;
    }
  }
  EXPECT_GT(background, 20);  // opaque, in the brush colour
  EXPECT_GT(ink, 5);          // and a glyph, not nothing
  EXPECT_EQ(At(30, 2), 0xFFFFFFu);
}

}  // namespace
}  // namespace korvane::platform::win32
