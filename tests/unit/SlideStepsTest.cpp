// Sliding into the screen edge and out again, step by step.
#include <gtest/gtest.h>

#include <vector>

#include "behaviour/SlideSteps.h"

namespace korvane {
namespace {

using platform::BoundsOf;
using platform::Rect;

const Rect kScreen{0, 0, 1280, 800};

// The sizes along the slide from `window` to its last step, and where it ends.
std::vector<int> Slide(bool in, Rect window, ScreenEdge edge, int scroll, int limit,
                       Rect* end = nullptr) {
  std::vector<int> sizes;
  for (int i = 0; i < 1000; ++i) {
    const SlideStep step = in ? HideStep(window, edge, scroll, limit, kScreen)
                              : ShowStep(window, edge, scroll, limit, kScreen);
    window = step.Window;
    const bool vertical = edge == ScreenEdge::Top || edge == ScreenEdge::Bottom;
    sizes.push_back(vertical ? window.Height() : window.Width());
    if (step.Last) break;
  }
  if (end) *end = window;
  return sizes;
}

TEST(SlideSteps, TheEdgeTouchedCountsCornersForTheEdgeThatComesFirst) {
  const struct {
    Rect window;
    ScreenEdge edge;
  } cases[] = {
      {BoundsOf(0, 0, 170, 170), ScreenEdge::Top},     // top-left corner: the top
      {BoundsOf(0, 300, 170, 170), ScreenEdge::Left},
      {BoundsOf(0, 630, 170, 170), ScreenEdge::Left},  // bottom-left corner: the left
      {BoundsOf(500, 630, 170, 170), ScreenEdge::Bottom},
      {BoundsOf(1110, 630, 170, 170), ScreenEdge::Bottom},
      {BoundsOf(1110, 300, 170, 170), ScreenEdge::Right},
      {BoundsOf(1, 1, 170, 170), ScreenEdge::None},    // one pixel away touches nothing
      {BoundsOf(1109, 629, 170, 170), ScreenEdge::None},
  };
  for (const auto& c : cases) EXPECT_EQ(EdgeTouched(c.window, kScreen), c.edge);
}

TEST(SlideSteps, SlidingInAndOutStepByStep) {
  Rect end;
  // Height 170, 10 a step, a strip of 3: 160 … 10, 0, then set to 3.
  std::vector<int> in;
  for (int h = 160; h >= 0; h -= 10) in.push_back(h);
  in.back() = 3;
  EXPECT_EQ(Slide(true, BoundsOf(100, 0, 170, 170), ScreenEdge::Top, 10, 3, &end), in);
  EXPECT_EQ(end, BoundsOf(100, 0, 170, 3));
  // From 3 to 170: 13 … 163, then 172 (the rest of 7 plus 2), cut back to 170.
  std::vector<int> out;
  for (int h = 13; h <= 163; h += 10) out.push_back(h);
  out.push_back(170);
  EXPECT_EQ(Slide(false, BoundsOf(100, 0, 170, 3), ScreenEdge::Top, 10, 170, &end), out);
  EXPECT_EQ(end, BoundsOf(100, 0, 170, 170));
  // A size that reaches the strip exactly takes one more step; a rest equal to the step too.
  EXPECT_EQ(Slide(true, BoundsOf(0, 0, 100, 22), ScreenEdge::Top, 10, 3),
            (std::vector<int>{12, 3}));
  EXPECT_EQ(Slide(true, BoundsOf(0, 0, 100, 23), ScreenEdge::Top, 10, 3),
            (std::vector<int>{13, 3, 3}));
  EXPECT_EQ(Slide(false, BoundsOf(0, 0, 100, 3), ScreenEdge::Top, 10, 23),
            (std::vector<int>{13, 23, 23}));
  // Step 0: in and out at once.
  EXPECT_EQ(Slide(true, BoundsOf(0, 0, 100, 170), ScreenEdge::Top, 0, 3), std::vector<int>{3});
  EXPECT_EQ(Slide(false, BoundsOf(0, 0, 100, 3), ScreenEdge::Top, 0, 170),
            std::vector<int>{170});
}

TEST(SlideSteps, AtTheBottomAndRightTheFarSideStaysOnTheScreensEdge) {
  Rect end;
  for (int scroll : {0, 7, 10, 200}) {
    Slide(true, BoundsOf(500, 630, 150, 170), ScreenEdge::Bottom, scroll, 3, &end);
    EXPECT_EQ(end, BoundsOf(500, 797, 150, 3)) << scroll;
    Slide(false, end, ScreenEdge::Bottom, scroll, 170, &end);
    EXPECT_EQ(end, BoundsOf(500, 630, 150, 170)) << scroll;
    Slide(true, BoundsOf(1110, 300, 170, 150), ScreenEdge::Right, scroll, 5, &end);
    EXPECT_EQ(end, BoundsOf(1275, 300, 5, 150)) << scroll;
    Slide(false, end, ScreenEdge::Right, scroll, 170, &end);
    EXPECT_EQ(end, BoundsOf(1110, 300, 170, 150)) << scroll;
  }
  // Every step in between keeps the far side there too.
  Rect window = BoundsOf(500, 630, 150, 170);
  for (SlideStep step{window, false}; !step.Last;) {
    step = HideStep(step.Window, ScreenEdge::Bottom, 10, 3, kScreen);
    EXPECT_EQ(step.Window.Bottom, 800);
  }
}

TEST(SlideSteps, TheCursorJustRightOfOrBelowTheWindowCountsAsInside) {
  const Rect window = BoundsOf(100, 100, 50, 40);  // right 150, bottom 140
  EXPECT_FALSE(CursorOutside(window, {150, 140}));
  EXPECT_FALSE(CursorOutside(window, {100, 100}));
  EXPECT_TRUE(CursorOutside(window, {151, 120}));
  EXPECT_TRUE(CursorOutside(window, {120, 141}));
  EXPECT_TRUE(CursorOutside(window, {99, 120}));
  EXPECT_TRUE(CursorOutside(window, {120, 99}));
}

}  // namespace
}  // namespace korvane
