// The memory panel and the lock toggle, driven by the messages a user's mouse would send.
#include <gtest/gtest.h>

#include <string>

#include "ControlsFixture.h"
#include "TestSupport.h"
#include "platform/win32/Win32Bitmap.h"
#include "platform/win32/Win32FileSystem.h"

namespace korvane::platform::win32 {
namespace {

using namespace test;

using ControlsTest = ControlsFixture;

TEST_F(ControlsTest, PanelPaintsTheClassicBevelsAndOneClippedLine) {
  EventLog log;
  auto panel = MakePanel(log);
  const HWND hwnd = HwndOf(*panel);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  {
    Snapshot raised(hwnd);  // the default: raised outside, nothing inside
    EXPECT_EQ(raised.At(0, 0), light);
    EXPECT_EQ(raised.At(128, 0), light);
    EXPECT_EQ(raised.At(129, 0), dark);
    EXPECT_EQ(raised.At(0, 19), dark);
    EXPECT_FALSE(raised.AnyOtherThan(kFace, 1, 1, 129, 19));
  }
  panel->SetBevels(Bevel::Lowered, Bevel::Raised);
  EXPECT_EQ(panel->BevelInner(), Bevel::Raised);
  {
    Snapshot lowered(hwnd);
    EXPECT_EQ(lowered.At(0, 0), dark);
    EXPECT_EQ(lowered.At(129, 19), light);
    EXPECT_EQ(lowered.At(6, 6), light);  // the inner bevel, inside the 5-pixel border
    EXPECT_EQ(lowered.At(123, 13), dark);
  }
  panel->SetBevels(Bevel::Raised, Bevel::None);
  panel->SetCaption(std::string(40, 'W'));
  {
    Snapshot text(hwnd);
    EXPECT_TRUE(text.AnyOtherThan(kFace, 6, 1, 12, 19));      // starts inside the border
    EXPECT_FALSE(text.AnyOtherThan(kFace, 1, 1, 6, 19));      // not before
    EXPECT_FALSE(text.AnyOtherThan(kFace, 124, 1, 129, 19));  // and is cut off before the right
  }
  panel->SetCaption("\r\n" + std::string(40, 'W'));  // only the first line is shown
  EXPECT_FALSE(Snapshot(hwnd).AnyOtherThan(kFace, 1, 1, 129, 19));
}

TEST_F(ControlsTest, PanelPressTakesCaptureUntilReleaseButLeavesTheFocus) {
  // The press pastes and hands the activation on: the focus moving here just before would
  // recolour the memory and open its preview in passing.
  EventLog log;
  auto panel = MakePanel(log);
  const HWND hwnd = HwndOf(*panel);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
  EXPECT_EQ(log.seen, (Events{"down L 5,6"}));
  EXPECT_FALSE(panel->Focused());
  EXPECT_EQ(GetCapture(), hwnd);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(-3, 40));  // released off the panel
  EXPECT_EQ(log.seen.back(), "up L -3,40");
  EXPECT_EQ(GetCapture(), nullptr);

  // Nor does a double click move it from the focused panel.
  SetFocus(hwnd);
  EventLog otherLog;
  auto other = MakePanel(otherLog, 65);
  SendMessageW(HwndOf(*other), WM_LBUTTONDBLCLK, MK_LBUTTON, At(7, 8));
  SendMessageW(HwndOf(*other), WM_LBUTTONUP, 0, At(7, 8));
  EXPECT_EQ(log.seen.back(), "enter");
  EXPECT_EQ(otherLog.seen, (Events{"dblclick", "down L 7,8", "up L 7,8"}));
  EXPECT_TRUE(panel->Focused());
}

TEST_F(ControlsTest, PanelDestroyedByItsOwnHandlerIsLeftAlone) {
  // A paste triggered from the panel can drop the memory, and the panel with it.
  for (const std::string fatal : {"dblclick", "down L 7,8"}) {
    EventLog log;
    auto panel = MakePanel(log);
    const HWND hwnd = HwndOf(*panel);
    log.after = [&](const std::string& event) {
      if (event == fatal) panel.reset();
    };
    SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(7, 8));
    EXPECT_EQ(log.seen.back(), fatal);
    EXPECT_FALSE(IsWindow(hwnd));
  }
}

TEST_F(ControlsTest, ToggleFlipsOnAClickInsideAndNeverTakesTheFocus) {
  EventLog panelLog;
  auto panel = MakePanel(panelLog);
  SetFocus(HwndOf(*panel));
  EventLog log;
  auto button = MakeToggle(log);
  const HWND hwnd = HwndOf(*button);
  std::vector<bool> downWhenReported;
  log.after = [&](const std::string&) { downWhenReported.push_back(button->Down()); };

  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_FALSE(button->Down());  // not before the release
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(downWhenReported, std::vector<bool>{true});
  EXPECT_TRUE(panel->Focused());

  // Pressed, dragged off and released outside: no click.
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(30, 5));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(30, 5));
  EXPECT_TRUE(button->Down());
  button->SetDown(false);
  EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(log.seen.size(), 1u);  // neither of these is a click

  log.after = [&](const std::string&) { button.reset(); };
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(ControlsTest, SettingWhatIsAlreadySetNeitherMovesNorRepaints) {
  EventLog log;
  auto panel = MakePanel(log);
  auto toggle = MakeToggle(log);
  auto button = MakeImageButton(log);
  const HWND p = HwndOf(*panel), t = HwndOf(*toggle), b = HwndOf(*button);
  panel->SetCaption("memory");
  panel->SetTabStop(true);
  RedrawWindow(MainHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto pending = [](HWND w) { return GetUpdateRect(w, nullptr, FALSE) != FALSE; };
  {
    // What the layout does to every control after each copy, most of it unchanged.
    MessageWatch panelWatch(p), toggleWatch(t), buttonWatch(b);
    panel->SetBounds(20, 40, 130, 20);
    panel->SetVisible(true);
    panel->SetCaption("memory");
    panel->SetColor(kFace);
    panel->SetFontColor(ClBlack);
    panel->SetBevels(Bevel::Raised, Bevel::None);
    panel->SetTabStop(true);
    toggle->SetBounds(151, 40, 20, 20);
    toggle->SetVisible(true);
    toggle->SetDown(false);
    button->SetBounds(5, 5, 25, 25);
    button->SetVisible(true);
    button->SetTabStop(true);
    EXPECT_EQ(panelWatch.positions + toggleWatch.positions + buttonWatch.positions, 0);
    EXPECT_EQ(panelWatch.styles + buttonWatch.styles, 0);
    EXPECT_FALSE(pending(p) || pending(t) || pending(b) || pending(MainHwnd()));

    // A change is made, once.
    panel->SetBounds(20, 65, 130, 20);
    EXPECT_EQ(panel->BoundsRect(), BoundsOf(20, 65, 130, 20));
    EXPECT_EQ(panelWatch.positions, 1);
    panel->SetTabStop(false);
    EXPECT_EQ(panelWatch.styles, 1);
    EXPECT_EQ(GetWindowLongPtrW(p, GWL_STYLE) & WS_TABSTOP, 0);
    toggle->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(t));
  }
  RedrawWindow(MainHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  panel->SetCaption("another");
  EXPECT_TRUE(pending(p));
  wchar_t text[32] = {};
  GetWindowTextW(p, text, 32);
  EXPECT_STREQ(text, L"another");
  RedrawWindow(MainHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  panel->SetColor(kWindowColour);
  EXPECT_TRUE(pending(p));
}

TEST_F(ControlsTest, AWindowGrownInPlacePaintsOnlyWhatItGrewBy) {
  EventLog log;
  auto panel = MakePanel(log);
  RedrawWindow(MainHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  window_->SetBounds(50, 50, 250, 160);
  EXPECT_EQ(window_->BoundsRect(), BoundsOf(50, 50, 250, 160));
  EXPECT_FALSE(GetUpdateRect(HwndOf(*panel), nullptr, FALSE));
  const HRGN update = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(MainHwnd(), update, FALSE);
  const HRGN strips = CreateRectRgn(220, 0, 250, 160);
  const HRGN bottom = CreateRectRgn(0, 140, 250, 160);
  CombineRgn(strips, strips, bottom, RGN_OR);
  EXPECT_TRUE(EqualRgn(update, strips));
  DeleteObject(update);
  DeleteObject(strips);
  DeleteObject(bottom);
  window_->SetBounds(50, 50, 220, 140);  // as the other tests expect it
  RedrawWindow(MainHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

TEST_F(ControlsTest, ToggleShowsTheGlyphImageOfItsState) {
  const COLORREF images[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
  TempFolder temp;
  Win32FileSystem files(temp.WidePath());
  ASSERT_TRUE(files.WriteFile("Lock.bmp", MakeGlyphStrip(images)));
  Win32Bitmap glyph(files, "Lock.bmp");
  EventLog log;
  auto button = MakeToggle(log);
  button->SetGlyph(&glyph);
  const HWND hwnd = HwndOf(*button);
  auto shown = [&] { return Snapshot(hwnd).At(10, 10); };

  EXPECT_EQ(shown(), images[0]);
  EXPECT_EQ(Snapshot(hwnd).At(10, 19), kWindowColour);  // transparent
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(shown(), images[2]);
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(30, 5));
  EXPECT_EQ(shown(), images[0]);
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(shown(), images[3]);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(shown(), images[3]);  // down stays down while held
}

}  // namespace
}  // namespace korvane::platform::win32
