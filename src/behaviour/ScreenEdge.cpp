// Which screen edge the window touches: the edge it slides into.
#include "app/Main.h"

namespace korvane {

void TForm1::CheckScreenEdge() {
  AtTopEdge = AtLeftEdge = AtBottomEdge = AtRightEdge = false;
  platform::Rect screen;
  if (!System.Desk().ScreenRect(screen)) return;
  // A corner counts for the edge that comes first: top, left, bottom, right.
  if (Top() == 0) {
    AtTopEdge = true;
  } else if (Left() == 0) {
    AtLeftEdge = true;
  } else if (Top() + Height() == screen.Bottom) {
    AtBottomEdge = true;
  } else if (Left() + Width() == screen.Right) {
    AtRightEdge = true;
  }
}

void TForm1::StopSlideTimer() {
  SlideTimer = 0;
  TimerBusy = false;
}

}  // namespace korvane
