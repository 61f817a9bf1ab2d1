// The window's size follows the number of memories; a resize keeps the window growing in the
// configured direction and on the screen.
#include "app/Main.h"
#include "layout/Geometry.h"

namespace korvane {

int TForm1::GetFormWidth() const {
  return FormWidthFor(LockedCount() + static_cast<std::int64_t>(UnlockedCount()),
                      Config.MemoriesPerColumn, Shared.NumberMargin);
}

int TForm1::GetFormHeight() const {
  return FormHeightFor(LockedCount() + static_cast<std::int64_t>(UnlockedCount()),
                       Config.MemoriesPerColumn);
}

void TForm1::SetFormSize(bool adjust) {
  const int w = GetFormWidth();
  const int h = GetFormHeight();
  const int oldWidth = Width();
  const int oldHeight = Height();
  platform::Rect screen;
  const bool haveScreen = System.Desk().ScreenRect(screen);

  auto adjustHorizontally = [&] {
    if (!adjust || w == Width()) return;
    if (Config.GrowLeft) {
      // Keeps the right edge where it was.
      int left = Left() - (w - Width());
      if (left <= 0) left = 1;
      SetLeft(left);
    } else if (haveScreen && Left() + w > screen.Right) {
      SetLeft(screen.Right - w);
    }
  };
  auto keepBottomOnScreen = [&] {
    if (haveScreen && Top() + h > screen.Bottom) SetTop(screen.Bottom - h);
  };

  if (Slide == SlideState::Expanded) {
    adjustHorizontally();
    keepBottomOnScreen();
    SetSize(w, h);
  } else {
    CheckScreenEdge();
    if (AtTopEdge || AtBottomEdge) {
      // Collapsed vertically: only the strip's width follows.
      adjustHorizontally();
      SetSize(w, Height());
    } else {
      keepBottomOnScreen();
      SetSize(Width(), h);
    }
  }
  // The frame runs along the edges: it only moves when the size does. Painting it over
  // unchanged would also wipe the number boxes until the next paint.
  if (Width() != oldWidth || Height() != oldHeight) PaintFrame();
}

void TForm1::SetControlPosition() {
  const int w = GetFormWidth();
  // The shown option buttons, right-aligned above the first column.
  int k = 0;
  for (OptionKind kind : OptionCreationOrder()) {
    auto& slot = OptionButtons[static_cast<int>(kind)];
    if (!slot) continue;
    const int left = Config.GrowLeft ? w - Shared.NumberMargin - kOptionButtonSize * (k + 1)
                                     : 140 - kOptionButtonSize * k;
    slot->Button->SetBounds(left, kOptionButtonTop, kOptionButtonSize, kOptionButtonSize);
    ++k;
  }
  const int perColumn = UsablePerColumn(Config.MemoriesPerColumn);
  if (LockedTable) LockedTable->LayOut(w, 0, Config.GrowLeft, perColumn);
  if (UnlockedTable) UnlockedTable->LayOut(w, LockedCount(), Config.GrowLeft, perColumn);
  // Placing shows a button; slid in or sliding, only the frame shows.
  if (Slide != SlideState::Expanded) SetButtonsVisible(false);
  ClosePreviewOfGoneMemory();
}

}  // namespace korvane
