#include "layout/Preview.h"

#include <algorithm>

namespace korvane {

namespace {
constexpr int kExtraWidth = 6;
constexpr int kExtraHeight = 2;   // above the text's extent
constexpr int kShownExtra = 4;    // added when the window is shown
constexpr int kRightOfPoint = 5;
constexpr int kBelowPoint = 20;
constexpr int kBelowWindow = 5;
}  // namespace

platform::Rect PreviewBounds(platform::Size text, const PreviewPlace& place) {
  platform::Rect r{0, 0, text.Width + kExtraWidth, text.Height + kExtraHeight};
  r.Left += place.At.X + kRightOfPoint;
  r.Right += place.At.X + kRightOfPoint;
  r.Top += place.At.Y + kBelowPoint;
  r.Bottom += place.At.Y + kBelowPoint;
  if (place.Below) {
    const int height = r.Height();
    r.Top = place.MainWindow.Bottom + kBelowWindow;
    r.Bottom = r.Top + height;
  }
  r.Bottom += kShownExtra;
  const platform::Rect& screen = place.Screen;
  if (r.Bottom > screen.Bottom) {
    r.Top -= r.Bottom - screen.Bottom;
    r.Bottom = screen.Bottom;
  }
  if (r.Right > screen.Right) {
    r.Left -= r.Right - screen.Right;
    r.Right = screen.Right;
  }
  if (r.Left < screen.Left) {
    r.Right += screen.Left - r.Left;
    r.Left = screen.Left;
  }
  return r;
}

void MemoryPreview::Show(const MemoryItem& item, const PreviewPlace& place) {
  Close();
  const platform::Rect& screen = place.Screen;
  // Never taller than the screen: a text of many lines is cut where the screen ends, and
  // only that much is laid out.
  const int maxHeight = std::max(0, screen.Height() - kExtraHeight - kShownExtra);
  shown_ = window_.CreatePreview(item.Text, item.Exact, screen.Width(), maxHeight);
  shown_->ShowAt(PreviewBounds(shown_->TextExtent(), place));
}

}  // namespace korvane
