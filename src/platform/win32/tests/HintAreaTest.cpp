// The mouse moving between hint areas of the main window, as the real cursor moves it.
#include "LoopFixture.h"

#include <memory>
#include <vector>

namespace korvane::platform::win32 {
namespace {

using namespace test;

class HintAreaTest : public LoopFixture {
 protected:
  void SetUp() override {
    LoopFixture::SetUp();
    panelA_ = MakePanel(10, "0");
    panelB_ = MakePanel(35, "0");
    plain_ = MakePanel(60, "");  // a memory panel always has its hint; this one stands for any other
    toggle_ = window_->CreateToggleButton(log_);
    toggle_->SetBounds(141, 10, 20, 20);
    toggle_->SetVisible(true);
    button_ = window_->CreateImageButton(log_);
    button_->SetBounds(200, 10, 25, 25);
    button_->SetHint("Copy");
    button_->SetVisible(true);
    MoveTo(Background());
    events_.hintChanges = 0;
  }

  std::unique_ptr<Panel> MakePanel(int top, const std::string& hint) {
    auto panel = window_->CreatePanel(log_);
    panel->SetBounds(10, top, 130, 20);
    panel->SetHint(hint);
    panel->SetVisible(true);
    return panel;
  }

  // Screen points.
  static POINT In(int x, int y) { return POINT{kLeft + x, kTop + y}; }
  static POINT Background() { return In(250, 140); }
  static POINT Outside() { return In(kWidth + 200, 40); }

  // Moves the cursor and runs the loop until the move has been handled: the number of hint
  // area changes it reported.
  int MoveTo(POINT at) {
    const int before = events_.hintChanges;
    SetCursorPos(at.x, at.y);
    // A change shows at once; its absence only after the moves had time to arrive.
    RunUntil([&] { return events_.hintChanges != before; }, 300);
    RunUntil(nullptr, 50);
    return events_.hintChanges - before;
  }

  EventLog log_;
  std::unique_ptr<Panel> panelA_, panelB_, plain_;
  std::unique_ptr<ToggleButton> toggle_;
  std::unique_ptr<ImageButton> button_;
};

TEST_F(HintAreaTest, ChangesAreReportedOnlyBetweenAreas) {
  struct Step {
    const char* move;
    POINT to;
    int reports;
  };
  const Step steps[] = {
      {"background to panel A", In(20, 15), 1},
      {"within panel A", In(120, 22), 0},
      {"panel A to panel B, the same hint", In(20, 40), 1},
      {"panel B to the background", Background(), 1},
      {"background to the lock toggle", In(150, 20), 0},
      {"lock toggle to a panel without hint", In(20, 65), 0},
      {"to an image button with a hint", In(210, 20), 1},
      {"image button to panel A", In(20, 15), 1},
      {"panel A to off the window", Outside(), 1},
      {"off the window to the background", Background(), 0},
      {"background to off the window", Outside(), 0},
      {"off the window to panel B", In(30, 40), 1},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(MoveTo(step.to), step.reports) << step.move;
  }
}

TEST_F(HintAreaTest, APressHeldOnAPanelFollowsTheMouseAcrossAreas) {
  MoveTo(In(20, 15));
  const HWND a = HwndOf(*panelA_);
  SendMessageW(a, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 5));
  ASSERT_EQ(GetCapture(), a);
  EXPECT_EQ(MoveTo(In(20, 40)), 1) << "onto panel B";
  EXPECT_EQ(MoveTo(In(30, 42)), 0) << "within panel B";
  EXPECT_EQ(MoveTo(Background()), 1) << "onto the background";
  EXPECT_EQ(MoveTo(In(20, 15)), 1) << "back onto panel A";
  SendMessageW(a, WM_LBUTTONUP, 0, At(10, 5));
}

TEST_F(HintAreaTest, AControlDestroyedUnderTheMouseLeavesNothingBehind) {
  MoveTo(In(20, 40));
  panelB_.reset();  // a memory erased while the mouse rests on it
  EXPECT_EQ(MoveTo(In(22, 41)), 1) << "the background where it was";
  EXPECT_EQ(MoveTo(In(20, 15)), 1) << "onto panel A";
}

}  // namespace
}  // namespace korvane::platform::win32
