// Sliding into the screen edge and out again, with the slide's timer fired by hand.
#include <gtest/gtest.h>

#include <random>

#include "app/Messages.h"
#include "settings/SettingsFile.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

class AutoHideTest : public ::testing::Test {
 protected:
  // Memories enough for a window 170 high: 5 rows of 25 plus the margins.
  TForm1& Start(int left, int top, int scroll = 10) {
    program.Configure([&](StoredSettings& s) {
      s.Left = left;
      s.Top = top;
      s.Config.AutoHide = true;
      s.Config.HiddenWidth = 3;
      s.Config.ScrollAmount = static_cast<std::int16_t>(scroll);
      s.Config.HideWait = 300;
      s.Config.MemoryLimit = 9;
    });
    PutMemories(program.Files, "デフォルト", {"1", "2", "3", "4", "5"});
    return program.Start();
  }
  void Activate() { program.Window().Deliver(wm::ActivateApp, 1, 0); }
  void Deactivate() { program.Window().Deliver(wm::ActivateApp, 0, 0); }
  void MouseMove() { program.Window().Deliver(wm::MouseMove, 0, 0); }
  void Press() { program.Window().Deliver(wm::LButtonDown, 0, 0); }
  // Fires ticks until the timer stops or stays; the window's height (or width) after each.
  std::vector<int> Run(bool heights = true) {
    std::vector<int> sizes;
    for (int i = 0; i < 500 && Timer().Message != UM_HIDECHECK && Timer().Fire(); ++i) {
      const platform::Rect r = program.Window().Bounds;
      sizes.push_back(heights ? r.Height() : r.Width());
    }
    return sizes;
  }
  fake::FakeTickTimer& Timer() { return program.Platform.Timer; }
  bool ButtonsShown() {
    for (fake::FakePanel* panel : program.Window().Panels) {
      if (!panel->Visible) return false;
    }
    return true;
  }
  bool ButtonsHidden() {
    for (fake::FakePanel* panel : program.Window().Panels) {
      if (panel->Visible) return false;
    }
    return true;
  }
  Program program;
};

TEST_F(AutoHideTest, SlidesIntoTheTopEdgeAndOutStepByStep) {
  TForm1& form = Start(100, 0);
  ASSERT_EQ(form.Height(), 170);
  Deactivate();
  EXPECT_EQ(form.Slide, SlideState::Sliding);
  EXPECT_TRUE(ButtonsHidden());
  EXPECT_EQ(Timer().PeriodMs, 5);
  std::vector<int> in;
  for (int h = 160; h >= 0; h -= 10) in.push_back(h);
  in.back() = 3;
  EXPECT_EQ(Run(), in);
  EXPECT_EQ(form.Slide, SlideState::Collapsed);
  EXPECT_EQ(form.Top(), 0);

  // A copy while slid in keeps it slid in, and shows when it slides out.
  program.Copy("new");
  EXPECT_EQ(form.Height(), 3);
  EXPECT_TRUE(ButtonsHidden());

  MouseMove();
  const std::vector<int> sizes = Run();
  ASSERT_GE(sizes.size(), 2u);
  EXPECT_EQ(sizes[0], 13);
  EXPECT_EQ(sizes.back(), form.GetFormHeight());  // the target with the new memory
  EXPECT_EQ(form.Slide, SlideState::Expanded);
  EXPECT_TRUE(ButtonsShown());
  EXPECT_EQ(program.Texts().back(), "new");
  // Still inactive: the cursor is watched now.
  EXPECT_EQ(Timer().Message, UM_HIDECHECK);
  EXPECT_EQ(Timer().PeriodMs, 300);
}

TEST_F(AutoHideTest, AtTheBottomTheBottomStaysOnTheScreenAndStepZeroJumps) {
  TForm1& form = Start(500, 800 - 170, 0);
  Deactivate();
  EXPECT_EQ(Run(), std::vector<int>{3});
  EXPECT_EQ(program.Window().Bounds, platform::BoundsOf(500, 797, form.Width(), 3));
  Activate();
  EXPECT_EQ(Run(), std::vector<int>{170});
  EXPECT_EQ(program.Window().Bounds, platform::BoundsOf(500, 630, form.Width(), 170));
  EXPECT_EQ(Timer().Running(), 0u);  // active: not watched
}

TEST_F(AutoHideTest, TheCursorCheckCountsTheColumnAndRowJustOutsideAsInside) {
  TForm1& form = Start(0, 300);
  Deactivate();
  Run();
  MouseMove();
  Run(false);
  ASSERT_EQ(Timer().Message, UM_HIDECHECK);
  const platform::Rect r = program.Window().Bounds;
  program.Desktop.Cursor = {r.Right, r.Bottom};
  EXPECT_TRUE(Timer().Fire());
  EXPECT_EQ(form.Slide, SlideState::Expanded);
  program.Desktop.Cursor = {r.Right + 1, r.Bottom};
  EXPECT_TRUE(Timer().Fire());
  EXPECT_EQ(form.Slide, SlideState::Sliding);
  EXPECT_EQ(Run(false).back(), 3);
}

// Every event from every state: where the window goes, and which timer runs then.
TEST_F(AutoHideTest, Transitions) {
  enum class State { Shown, Watching, SlidingIn, Hidden, SlidingOut };
  enum class Event { Activate, Deactivate, Press, Tick, MouseMove };
  struct Case {
    State from;
    Event event;
    SlideState slide;
    std::uint32_t timer;  // the message of the running timer, 0 when none
  };
  const Case cases[] = {
      {State::Shown, Event::Deactivate, SlideState::Sliding, UM_HIDESTEP},
      {State::Shown, Event::Activate, SlideState::Expanded, 0},
      {State::Shown, Event::MouseMove, SlideState::Expanded, 0},
      {State::Watching, Event::Tick, SlideState::Expanded, UM_HIDECHECK},  // cursor inside
      {State::Watching, Event::Activate, SlideState::Expanded, 0},
      {State::Watching, Event::Press, SlideState::Expanded, 0},
      {State::SlidingIn, Event::Tick, SlideState::Sliding, UM_HIDESTEP},
      {State::SlidingIn, Event::Activate, SlideState::Expanded, 0},   // shown whole at once
      {State::SlidingIn, Event::Press, SlideState::Expanded, 0},
      {State::SlidingIn, Event::Deactivate, SlideState::Sliding, UM_HIDESTEP},
      {State::Hidden, Event::MouseMove, SlideState::Sliding, UM_SHOWSTEP},
      {State::Hidden, Event::Activate, SlideState::Sliding, UM_SHOWSTEP},
      {State::Hidden, Event::Deactivate, SlideState::Collapsed, 0},
      {State::Hidden, Event::Press, SlideState::Collapsed, 0},
      {State::SlidingOut, Event::Tick, SlideState::Sliding, UM_SHOWSTEP},
      {State::SlidingOut, Event::Press, SlideState::Expanded, 0},
      {State::SlidingOut, Event::Deactivate, SlideState::Sliding, UM_SHOWSTEP},
  };
  for (const Case& c : cases) {
    program.Stop();
    Program fresh;
    program.Files.TakeDiskOf(fresh.Files);  // nothing of the last case's run
    TForm1& form = Start(0, 300);
    program.Desktop.Cursor = {10, 310};  // over the window
    switch (c.from) {
      case State::Shown:
        break;
      case State::Watching:
        Deactivate();
        Run(false);
        MouseMove();
        Run(false);
        break;
      case State::SlidingIn:
        Deactivate();
        Timer().Fire();
        break;
      case State::Hidden:
        Deactivate();
        Run(false);
        break;
      case State::SlidingOut:
        Deactivate();
        Run(false);
        MouseMove();
        Timer().Fire();
        break;
    }
    switch (c.event) {
      case Event::Activate: Activate(); break;
      case Event::Deactivate: Deactivate(); break;
      case Event::Press: Press(); break;
      case Event::Tick: Timer().Fire(); break;
      case Event::MouseMove: MouseMove(); break;
    }
    SCOPED_TRACE(static_cast<int>(c.from) * 10 + static_cast<int>(c.event));
    EXPECT_EQ(form.Slide, c.slide);
    EXPECT_EQ(Timer().Running() != 0 ? Timer().Message : 0u, c.timer);
    EXPECT_EQ(form.SlideTimer, Timer().Running());
  }
}

// Whatever happens in whatever order, the window is never left sliding with no timer, and
// its buttons show exactly when it is whole.
TEST_F(AutoHideTest, NoSequenceLeavesTheWindowStuck) {
  TForm1& form = Start(0, 0);
  std::mt19937 random(7);
  for (int step = 0; step < 3000; ++step) {
    switch (random() % 8) {
      case 0: Activate(); break;
      case 1: Deactivate(); break;
      case 2: Press(); break;
      case 3: MouseMove(); break;
      case 4: program.Copy("copy " + std::to_string(step)); break;
      case 5: program.Desktop.Cursor = {static_cast<int>(random() % 400), 5}; break;
      case 6: Timer().Refuse = random() % 4 == 0; break;
      default: Timer().Fire(); break;
    }
    ASSERT_FALSE(form.Slide == SlideState::Sliding && Timer().Running() == 0) << step;
    ASSERT_EQ(form.SlideTimer, Timer().Running()) << step;
    if (form.Slide == SlideState::Expanded) {
      ASSERT_TRUE(ButtonsShown()) << step;
      ASSERT_EQ(form.Height(), form.GetFormHeight()) << step;
    } else {
      ASSERT_TRUE(ButtonsHidden()) << step;
    }
  }
}

}  // namespace
}  // namespace korvane::test
