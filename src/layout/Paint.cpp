// Painting the workspace: background, a two-pixel raised frame and the memory numbers.
#include "app/Main.h"
#include "layout/ShiftColor.h"

namespace korvane {

void TForm1::PaintFrame() {
  if (std::unique_ptr<platform::Canvas> canvas = Window->GetCanvas()) PaintFrameOn(*canvas);
}

void TForm1::PaintFrameOn(platform::Canvas& canvas) {
  const platform::Rect window = Window->BoundsRect();
  const int w = window.Width();
  const int h = window.Height();
  const platform::Color color = Config.WorkspaceColor;
  const platform::Color rgb = System.Desk().ColorToRGB(color);

  canvas.SetBrushColor(color);
  canvas.FillRect(platform::Rect{0, 0, w, h});
  canvas.SetPenColor(platform::ClBlack);
  canvas.MoveTo(w - 1, 0);
  canvas.LineTo(w - 1, h - 1);
  canvas.LineTo(0, h - 1);
  canvas.SetPenColor(color);
  canvas.LineTo(0, 0);
  canvas.LineTo(w - 1, 0);
  canvas.SetPenColor(ShiftRGB(rgb, -50));
  canvas.MoveTo(w - 2, 1);
  canvas.LineTo(w - 2, h - 2);
  canvas.LineTo(1, h - 2);
  // The pen keeps the lighter colour: the number boxes are outlined with it.
  canvas.SetPenColor(ShiftRGB(rgb, 30));
  canvas.LineTo(1, 1);
  canvas.LineTo(w - 2, 1);
}

void TForm1::FormPaint(platform::Canvas& canvas) {
  PaintFrameOn(canvas);
  if (Slide == SlideState::Expanded && Config.ShowMemoryNumber) {
    if (LockedTable) LockedTable->DrawNumbers(canvas, 1);
    if (UnlockedTable) UnlockedTable->DrawNumbers(canvas, LockedCount() + 1);
  }
}

}  // namespace korvane
