// Where a preview goes: next to the point or under the window, and back onto the screen.
#include <gtest/gtest.h>

#include "layout/Preview.h"

namespace korvane {
namespace {

TEST(PreviewBounds, NextToThePointOrUnderTheWindowAndOntoTheScreen) {
  const platform::Rect screen{0, 0, 1280, 800};
  const platform::Rect window{100, 100, 271, 270};
  struct Case {
    const char* what;
    platform::Size text;
    platform::Point at;
    bool below;
    platform::Rect expected;
  };
  const Case cases[] = {
      {"5 right, 20 below, 6 wider, 6 higher", {100, 40}, {200, 150}, false,
       {205, 170, 311, 216}},
      {"under the window, left by the point", {100, 40}, {200, 150}, true, {205, 275, 311, 321}},
      {"past the right edge", {100, 40}, {1250, 150}, false, {1174, 170, 1280, 216}},
      {"past the bottom", {100, 40}, {200, 780}, false, {205, 754, 311, 800}},
      {"wider than the screen: on its left edge", {1300, 10}, {50, 50}, false,
       {0, 70, 1306, 86}},
      {"as high as the screen allows", {10, 794}, {0, 0}, false, {5, 0, 21, 800}},
  };
  for (const Case& c : cases) {
    PreviewPlace place{c.at, c.below, window, screen};
    EXPECT_EQ(PreviewBounds(c.text, place), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace korvane
