// The arithmetic of sliding the window into a screen edge and out again, free of any window:
// which edge the window touches, one step in, one step out, and whether the cursor has left.
#pragma once

#include "platform/Types.h"

namespace korvane {

enum class ScreenEdge { None, Top, Left, Bottom, Right };

// The edge the window touches; a corner counts for the edge that comes first: top, left,
// bottom, right. One pixel away from an edge touches nothing.
ScreenEdge EdgeTouched(const platform::Rect& window, const platform::Rect& screen);

struct SlideStep {
  platform::Rect Window;
  bool Last = false;  // the slide is over: the window has its final size
};

// One step in by `scroll` pixels (0: at once) towards a strip `hiddenWidth` wide. At the top
// or left edge the window keeps its top-left corner; at the bottom or right its far side stays
// on the screen's edge. A size that reaches exactly `hiddenWidth` takes one more step.
SlideStep HideStep(const platform::Rect& window, ScreenEdge edge, int scroll, int hiddenWidth,
                   const platform::Rect& screen);
// One step out by `scroll` pixels (0: at once) towards `target`, the full size, which the
// last step overshoots and is then cut back to.
SlideStep ShowStep(const platform::Rect& window, ScreenEdge edge, int scroll, int target,
                   const platform::Rect& screen);

// The cursor is outside the window; the column just right of it and the row just below it
// still count as inside.
bool CursorOutside(const platform::Rect& window, platform::Point cursor);

}  // namespace korvane
