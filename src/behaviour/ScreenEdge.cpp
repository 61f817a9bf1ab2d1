// Which screen edge the window touches: the edge it slides into.
#include "app/Main.h"
#include "behaviour/SlideSteps.h"

namespace korvane {

void TForm1::CheckScreenEdge() {
  AtTopEdge = AtLeftEdge = AtBottomEdge = AtRightEdge = false;
  platform::Rect screen;
  if (!System.Desk().ScreenRect(screen)) return;
  const ScreenEdge edge = EdgeTouched(Window->BoundsRect(), screen);
  AtTopEdge = edge == ScreenEdge::Top;
  AtLeftEdge = edge == ScreenEdge::Left;
  AtBottomEdge = edge == ScreenEdge::Bottom;
  AtRightEdge = edge == ScreenEdge::Right;
}

}  // namespace korvane
