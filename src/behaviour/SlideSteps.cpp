#include "behaviour/SlideSteps.h"

#include <cstdint>

namespace korvane {

namespace {

bool Vertical(ScreenEdge edge) { return edge == ScreenEdge::Top || edge == ScreenEdge::Bottom; }
bool FarSide(ScreenEdge edge) { return edge == ScreenEdge::Bottom || edge == ScreenEdge::Right; }

// The window along the direction it slides: its near side (Top or Left) and its size.
struct Span {
  int Start;
  int Size;
};

Span SpanOf(const platform::Rect& r, ScreenEdge edge) {
  return Vertical(edge) ? Span{r.Top, r.Height()} : Span{r.Left, r.Width()};
}

platform::Rect WithSpan(const platform::Rect& r, ScreenEdge edge, Span span) {
  if (Vertical(edge)) return platform::BoundsOf(r.Left, span.Start, r.Width(), span.Size);
  return platform::BoundsOf(span.Start, r.Top, span.Size, r.Height());
}

int ScreenEnd(const platform::Rect& screen, ScreenEdge edge) {
  return Vertical(edge) ? screen.Bottom : screen.Right;
}

}  // namespace

ScreenEdge EdgeTouched(const platform::Rect& window, const platform::Rect& screen) {
  if (window.Top == 0) return ScreenEdge::Top;
  if (window.Left == 0) return ScreenEdge::Left;
  if (window.Bottom == screen.Bottom) return ScreenEdge::Bottom;
  if (window.Right == screen.Right) return ScreenEdge::Right;
  return ScreenEdge::None;
}

SlideStep HideStep(const platform::Rect& window, ScreenEdge edge, int scroll, int hiddenWidth,
                   const platform::Rect& screen) {
  Span span = SpanOf(window, edge);
  if (scroll == 0) {
    span.Size = hiddenWidth - 1;
  } else {
    if (FarSide(edge)) span.Start += scroll;
    span.Size -= scroll;
  }
  if (span.Size >= hiddenWidth) return SlideStep{WithSpan(window, edge, span), false};
  span.Size = hiddenWidth;
  if (FarSide(edge)) span.Start = ScreenEnd(screen, edge) - hiddenWidth;
  return SlideStep{WithSpan(window, edge, span), true};
}

SlideStep ShowStep(const platform::Rect& window, ScreenEdge edge, int scroll, int target,
                   const platform::Rect& screen) {
  Span span = SpanOf(window, edge);
  // 64 bits: a hand-set step or size must not wrap around.
  const std::int64_t rest = static_cast<std::int64_t>(target) - span.Size;
  std::int64_t step = scroll;
  if (scroll == 0) {
    step = static_cast<std::int64_t>(target) + 1;
  } else if (scroll > rest) {
    step = rest + 2;
  }
  const std::int64_t size = span.Size + step;
  if (FarSide(edge)) span.Start = static_cast<int>(span.Start - step);
  if (target >= size) {
    span.Size = static_cast<int>(size);
    return SlideStep{WithSpan(window, edge, span), false};
  }
  span.Size = target;
  if (FarSide(edge)) span.Start = ScreenEnd(screen, edge) - target;
  return SlideStep{WithSpan(window, edge, span), true};
}

bool CursorOutside(const platform::Rect& window, platform::Point cursor) {
  return cursor.X < window.Left || cursor.X > window.Right || cursor.Y < window.Top ||
         cursor.Y > window.Bottom;
}

}  // namespace korvane
