// Sliding the window into the screen edge it touches and out again, driven by the tick timer,
// and the reactions to the application being activated and deactivated.
#include "app/Main.h"
#include "app/Messages.h"
#include "behaviour/SlideSteps.h"

namespace korvane {

namespace {
constexpr int kSlideStepMs = 5;
// The messages of the timer kinds: 0 watches the cursor, 1 slides in, 2 slides out.
constexpr std::uint32_t kTimerMessages[] = {UM_HIDECHECK, UM_HIDESTEP, UM_SHOWSTEP};
}  // namespace

ScreenEdge TForm1::SlideEdge() const {
  if (AtTopEdge) return ScreenEdge::Top;
  if (AtLeftEdge) return ScreenEdge::Left;
  if (AtBottomEdge) return ScreenEdge::Bottom;
  if (AtRightEdge) return ScreenEdge::Right;
  return ScreenEdge::None;
}

void TForm1::StartSlideTimer(int kind) {
  SlideTimer = System.Ticks().Start(Window->Handle(), kTimerMessages[kind],
                                    kind == 0 ? Config.HideWait : kSlideStepMs);
}

void TForm1::StopSlideTimer() {
  if (SlideTimer == 0) return;
  System.Ticks().Stop();
  SlideTimer = 0;
  // A slide stopped half-way (activation, a press on the window, the options dialog) ends
  // with the window shown whole: never a strip that nothing slides out again.
  if (Slide == SlideState::Sliding) ExpandAtOnce();
}

void TForm1::ExpandAtOnce() {
  Slide = SlideState::Expanded;
  SetFormSize(true);
  platform::Rect screen;
  // At the bottom or right edge the far side stays on the screen's edge.
  if (System.Desk().ScreenRect(screen)) {
    if (AtBottomEdge) SetTop(screen.Bottom - Height());
    if (AtRightEdge) SetLeft(screen.Right - Width());
  }
  SetControlPosition();
  SetButtonsVisible(true);
  Window->Refresh();
}

bool TForm1::CurrentTick(platform::WParam number) const {
  // A tick of a timer stopped since is passed over.
  return SlideTimer != 0 && number == SlideTimer;
}

void TForm1::SetButtonsVisible(bool visible) {
  for (auto& slot : OptionButtons) {
    if (slot) slot->Button->SetVisible(visible);
  }
  if (LockedTable) LockedTable->SetVisible(visible);
  if (UnlockedTable) UnlockedTable->SetVisible(visible);
}

void TForm1::StartHide() {
  CheckScreenEdge();
  if (SlideEdge() == ScreenEdge::None || SlideTimer != 0 || Slide != SlideState::Expanded) {
    return;
  }
  Slide = SlideState::Sliding;
  HidePreview();
  SetButtonsVisible(false);
  PaintFrame();
  StartSlideTimer(1);
  // Without a timer nothing would ever step: the window stays shown.
  if (SlideTimer == 0) ExpandAtOnce();
}

void TForm1::StartShow() {
  if (SlideTimer != 0 || Slide != SlideState::Collapsed) return;
  Slide = SlideState::Sliding;
  StartSlideTimer(2);
  if (SlideTimer == 0) ExpandAtOnce();
}

void TForm1::UMHideCheck(platform::WParam number) {
  if (!CurrentTick(number)) return;
  platform::Point cursor;
  if (System.Desk().CursorPos(cursor) && CursorOutside(Window->BoundsRect(), cursor)) {
    StopSlideTimer();
    StartHide();
    return;
  }
  System.Ticks().TickHandled();
}

void TForm1::UMHideStep(platform::WParam number) {
  if (!CurrentTick(number)) return;
  platform::Rect screen;
  System.Desk().ScreenRect(screen);
  const SlideStep step = HideStep(Window->BoundsRect(), SlideEdge(), Config.ScrollAmount,
                                  Config.HiddenWidth, screen);
  const platform::Rect& r = step.Window;
  Window->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  if (!step.Last) {
    System.Ticks().TickHandled();
    return;
  }
  Slide = SlideState::Collapsed;
  StopSlideTimer();
}

void TForm1::UMShowStep(platform::WParam number) {
  if (!CurrentTick(number)) return;
  platform::Rect screen;
  System.Desk().ScreenRect(screen);
  const ScreenEdge edge = SlideEdge();
  const bool vertical = edge == ScreenEdge::Top || edge == ScreenEdge::Bottom;
  const SlideStep step = ShowStep(Window->BoundsRect(), edge, Config.ScrollAmount,
                                  vertical ? GetFormHeight() : GetFormWidth(), screen);
  const platform::Rect& r = step.Window;
  Window->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  if (step.Last) {
    Slide = SlideState::Expanded;
    StopSlideTimer();
    SetButtonsVisible(true);
    if (!AppActive && SlideTimer == 0 && Config.AutoHide) StartSlideTimer(0);
  } else {
    System.Ticks().TickHandled();
  }
  Window->Refresh();
}

void TForm1::WMMouseMove() {
  if (Slide == SlideState::Collapsed) StartShow();
}

void TForm1::ApplicationActivate() {
  StopSlideTimer();
  AppActive = true;
  if (Slide == SlideState::Collapsed) StartShow();
  if (PopWindowVisibleChecked) Window->Show();
}

void TForm1::ApplicationDeactivate() {
  HidePreview();
  AppActive = false;
  if (Config.AutoHide) StartHide();
  if (PopWindowVisibleChecked) System.Desk().ShowWindow(Window->Handle(), false);
}

}  // namespace korvane
