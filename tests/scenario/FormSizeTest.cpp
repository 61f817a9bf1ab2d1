// The window's size and place as memories come and go, in every slide state.
#include <gtest/gtest.h>

#include "layout/Geometry.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

TEST(Geometry, WidthAndHeightFollowTheCount) {
  EXPECT_EQ(FormWidthFor(0, 5, 8), 167);
  EXPECT_EQ(FormWidthFor(0, 5, 20), 191);
  EXPECT_EQ(FormWidthFor(5, 5, 8), 167);
  EXPECT_EQ(FormWidthFor(6, 5, 8), 326);
  EXPECT_EQ(FormWidthFor(6, 5, 20), 362);
  EXPECT_EQ(FormWidthFor(11, 5, 8), 8 + 3 * 159);
  EXPECT_EQ(FormHeightFor(0, 5), 45);
  EXPECT_EQ(FormHeightFor(5, 5), 170);
  EXPECT_EQ(FormHeightFor(6, 5), 170);
  EXPECT_EQ(FormHeightFor(3, 5), 120);
  // A damaged per-column count never divides by zero.
  EXPECT_EQ(FormWidthFor(3, 0, 8), 8 + 3 * 159);
  EXPECT_EQ(FormHeightFor(3, -2), 70);
}

class FormSizeTest : public ::testing::Test {
 protected:
  TForm1& StartWith(int left, int top, bool growLeft, bool numbers = false) {
    program.Configure([&](StoredSettings& s) {
      s.Left = growLeft ? left + (numbers ? 191 : 167) : left;
      s.Top = top;
      s.Config.GrowLeft = growLeft;
      s.Config.ShowMemoryNumber = numbers;
      s.Config.MemoriesPerColumn = 5;
      s.Config.MemoryLimit = 20;
    });
    return program.Start();
  }
  void CopyN(int n) {
    for (int i = 0; i < n; ++i) program.Copy("copy " + std::to_string(copies_++));
  }
  platform::Rect Bounds() { return program.Window().Bounds; }

  Program program;
  int copies_ = 0;
};

TEST_F(FormSizeTest, NewColumnAtTheSixthMemory) {
  StartWith(100, 100, false, true);
  CopyN(5);
  EXPECT_EQ(Bounds(), platform::BoundsOf(100, 100, 191, 170));
  CopyN(1);
  EXPECT_EQ(Bounds(), platform::BoundsOf(100, 100, 362, 170));
  EXPECT_EQ(program.PanelOf(6).Bounds, platform::BoundsOf(20 + 171, 40, 130, 20));
}

TEST_F(FormSizeTest, GrowingLeftKeepsTheRightEdge) {
  StartWith(600, 100, true);
  EXPECT_EQ(Bounds().Left, 600);
  CopyN(6);
  EXPECT_EQ(Bounds(), platform::BoundsOf(600 - 159, 100, 326, 170));
  EXPECT_EQ(program.PanelOf(1).Bounds.Left, 326 - 159);  // the first column is the rightmost
  EXPECT_EQ(program.PanelOf(6).Bounds.Left, 326 - 2 * 159);
  EXPECT_EQ(program.PanelOf(6).Bounds.Top, 40);
}

TEST_F(FormSizeTest, GrowingLeftPastTheScreenEdgeStopsAtOne) {
  StartWith(50, 100, true);
  CopyN(6);
  EXPECT_EQ(Bounds().Left, 1);
  EXPECT_EQ(Bounds().Width(), 326);
}

TEST_F(FormSizeTest, GrowingRightPastTheScreenEdgeMovesLeft) {
  StartWith(1100, 100, false);
  CopyN(6);
  EXPECT_EQ(Bounds().Left, 1280 - 326);
}

TEST_F(FormSizeTest, BottomStaysOnTheScreen) {
  StartWith(100, 700, false);
  CopyN(4);
  EXPECT_EQ(Bounds().Top, 800 - 145);
  EXPECT_EQ(Bounds().Bottom, 800);
}

TEST_F(FormSizeTest, StartUpSizingNeverMovesSideways) {
  PutMemories(program.Files, "デフォルト", std::vector<std::string>(6, "m"));
  TForm1& form = StartWith(1200, 790, false);
  form.Config.SkipDuplicates = false;
  EXPECT_EQ(Bounds().Left, 1200);  // beyond the right edge: not moved at start
  EXPECT_EQ(Bounds().Bottom, 800);  // the bottom rule applies
}

TEST_F(FormSizeTest, CollapsedWindowOnlyChangesItsStrip) {
  TForm1& form = StartWith(300, 0, false);  // at the top edge
  form.Slide = SlideState::Collapsed;
  program.Form->SetSize(167, 5);
  CopyN(6);
  EXPECT_EQ(Bounds().Width(), 326);
  EXPECT_EQ(Bounds().Height(), 5);

  Program side;
  side.Configure([](StoredSettings& s) {
    s.Left = 0;
    s.Top = 200;
    s.Config.ShowMemoryNumber = false;
    s.Config.MemoriesPerColumn = 5;
  });
  TForm1& left = side.Start();
  left.Slide = SlideState::Sliding;
  left.SetSize(5, 45);
  side.Copy("a");
  side.Copy("b");
  EXPECT_EQ(side.Window().Bounds.Width(), 5);
  EXPECT_EQ(side.Window().Bounds.Height(), 95);
}

TEST_F(FormSizeTest, ScreenEdgeIsTheFirstThatHolds) {
  TForm1& form = StartWith(0, 0, false);  // a corner: top before left
  form.CheckScreenEdge();
  EXPECT_TRUE(form.AtTopEdge);
  EXPECT_FALSE(form.AtLeftEdge);
  form.SetLeft(1280 - 167);
  form.SetTop(800 - 45);
  form.CheckScreenEdge();
  EXPECT_TRUE(form.AtBottomEdge);
  EXPECT_FALSE(form.AtRightEdge);
  form.SetTop(300);
  form.CheckScreenEdge();
  EXPECT_TRUE(form.AtRightEdge);
  form.SetLeft(1280 - 168);
  form.CheckScreenEdge();
  EXPECT_FALSE(form.AtTopEdge || form.AtLeftEdge || form.AtBottomEdge || form.AtRightEdge);
}

TEST_F(FormSizeTest, PaintDrawsTheRaisedFrameAndTheNumbers) {
  StartWith(100, 100, false, true);
  CopyN(10);
  program.Window().Refresh();  // the window's paint, as the system asks for it
  const auto& ops = program.Window().LastPaint;
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].kind, "fill");
  EXPECT_EQ(ops[0].brush, platform::ClBtnFace);
  // Outer right and bottom black; inner lines 50 darker and 30 lighter than the face (F0F0F0).
  EXPECT_EQ(ops[1].pen, 0x000000);
  EXPECT_EQ((std::vector<int>{ops[1].a, ops[1].b, ops[1].c, ops[1].d}),
            (std::vector<int>{361, 0, 361, 169}));  // two columns of five
  EXPECT_EQ(ops[5].pen, 0xBEBEBE);
  EXPECT_EQ(ops[7].pen, 0xFFFFFF);
  int boxes = 0;
  std::vector<std::string> numbers;
  for (const auto& op : ops) {
    if (op.kind == "rect") {
      ++boxes;
      EXPECT_EQ(op.c - op.a, boxes >= 10 ? 13 : 9);
      EXPECT_EQ(op.pen, 0xFFFFFF);  // outlined with the lighter pen
    }
    if (op.kind == "text") numbers.push_back(op.text);
  }
  EXPECT_EQ(boxes, 10);
  EXPECT_EQ(numbers.front(), "1");
  EXPECT_EQ(numbers.back(), "10");
}

TEST_F(FormSizeTest, NoNumbersWhileNotExpandedOrSwitchedOff) {
  TForm1& form = StartWith(100, 100, false, true);
  CopyN(2);
  form.Slide = SlideState::Sliding;
  program.Window().Refresh();
  for (const auto& op : program.Window().LastPaint) EXPECT_NE(op.kind, "text");
  form.Slide = SlideState::Expanded;
  form.Config.ShowMemoryNumber = false;
  program.Window().Refresh();
  for (const auto& op : program.Window().LastPaint) EXPECT_NE(op.kind, "text");
}

}  // namespace
}  // namespace korvane::test
