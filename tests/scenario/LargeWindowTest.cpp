// A window of many memories: a copy at the limit keeps every button where it stands and moves
// the memories through them, and the window it leaves is the one a fresh start with the same
// memories shows. A memory the user is working with keeps its own buttons.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/Program.h"

namespace korvane::test {
namespace {

// What a user sees of each memory and of the window's face, and the keyboard order.
std::vector<std::string> SeenOf(Program& program) {
  std::vector<std::string> seen;
  for (int n = 1; n <= static_cast<int>(program.Memories().size()); ++n) {
    const fake::FakePanel& p = program.PanelOf(n);
    const fake::FakeToggleButton& lock = program.LockOf(n);
    std::ostringstream out;
    out << p.Caption << " " << p.Bounds.Left << "," << p.Bounds.Top << " " << p.Visible << " "
        << p.Color << "/" << p.FontColor << " " << p.Raised() << " tab " << p.TabStop << "/"
        << p.TabOrder << " lock " << lock.Bounds.Left << "," << lock.Bounds.Top << " "
        << lock.IsDown << lock.Visible;
    seen.push_back(out.str());
  }
  for (const fake::FakeImageButton* b : program.Window().ImageButtons) {
    seen.push_back("option " + std::to_string(b->Bounds.Left) + " " + std::to_string(b->TabOrder));
  }
  program.Window().Refresh();
  for (const fake::CanvasOp& op : program.Window().LastPaint) {
    seen.push_back(op.kind + " " + std::to_string(op.a) + "," + std::to_string(op.b) + " " +
                   std::to_string(op.c) + "," + std::to_string(op.d) + " " + op.text);
  }
  return seen;
}

struct Large {
  bool growLeft;
  int limit;
  int perColumn;
};

void Configure(Program& program, const Large& c) {
  program.Configure([&](StoredSettings& s) {
    s.Left = c.growLeft ? 1200 : 20;
    s.Top = 20;
    s.Config.GrowLeft = c.growLeft;
    s.Config.ShowMemoryNumber = true;
    s.Config.MemoriesPerColumn = c.perColumn;
    s.Config.MemoryLimit = c.limit;
    s.Config.SaveUnlocked = true;
    s.Config.SkipDuplicates = false;
  });
}

// Longer than a caption, so that a caption shown is the start of the right text.
std::string Long(int i) { return "copy " + std::to_string(i) + " and more after the caption"; }

// A window full to the limit, its memories all copied.
TForm1& StartFull(Program& program, const Large& c) {
  Configure(program, c);
  TForm1& form = program.Start();
  form.Config.ShowPreview = true;
  for (int i = 1; i <= c.limit; ++i) program.Copy(Long(i));
  return form;
}

class LargeWindowTest : public ::testing::TestWithParam<Large> {};

TEST_P(LargeWindowTest, CopiesAndLockChangesLookLikeAFreshStartWithTheSameMemories) {
  const Large c = GetParam();
  Program used;
  Configure(used, c);
  PutMemories(used.Files, "デフォルト", {"locked 1", "locked 2", "locked 3"});
  used.Start();
  // Past the limit several times over, with a memory locked or unlocked between the rounds.
  std::mt19937 random(7);
  int copies = 0;
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < c.limit + 7; ++i) used.Copy(Long(copies++));
    used.LockOf(static_cast<int>(random() % used.Memories().size()) + 1).Click();
  }
  for (int i = 0; i < c.limit / 2; ++i) used.Copy(Long(copies++));

  const std::vector<std::string> texts = used.Texts();
  const int locked = used.Form->LockedCount();
  Program fresh;
  Configure(fresh, c);
  PutMemories(fresh.Files, "デフォルト", {texts.begin(), texts.begin() + locked});
  PutMemories(fresh.Files, "Unlock", {texts.begin() + locked, texts.end()});
  fresh.Start();
  ASSERT_EQ(fresh.Texts(), texts);
  EXPECT_EQ(SeenOf(used), SeenOf(fresh));
  EXPECT_EQ(used.Window().Bounds, fresh.Window().Bounds);
  // No button is left over from a memory gone.
  EXPECT_EQ(used.Window().Panels.size(), texts.size());
  EXPECT_EQ(used.Window().ToggleButtons.size(), texts.size());
}

INSTANTIATE_TEST_SUITE_P(Directions, LargeWindowTest,
                         ::testing::Values(Large{false, 99, 20}, Large{true, 99, 20},
                                           Large{true, 5, 3}));

TEST(LargeWindowCopyTest, ACopyAtTheLimitMovesAndMakesNoButtonWhateverTheCount) {
  for (const int limit : {5, 99}) {
    Program program;
    StartFull(program, Large{false, limit, 20});
    fake::FakeMainWindow& window = program.Window();
    const int moves = window.ControlMoves;
    const int made = window.ControlsMade;
    program.Copy("the newest");
    EXPECT_EQ(window.ControlMoves - moves, 0) << limit;
    EXPECT_EQ(window.ControlsMade - made, 0) << limit;
    EXPECT_EQ(program.PanelOf(limit).Caption, "the newest") << limit;
    EXPECT_EQ(program.PanelOf(1).Caption, CaptionOf(Long(2))) << limit;
  }
}

TEST(LargeWindowCopyTest, TheCaptionsFollowAFewToAMessageAfterTheCapture) {
  Program program;
  TForm1& form = StartFull(program, Large{false, 40, 20});
  auto stale = [&] {
    int count = 0;
    for (int n = 1; n <= 40; ++n) {
      count += program.PanelOf(n).Caption != CaptionOf(program.Memories()[n - 1]->Text);
    }
    return count;
  };
  program.Window().Dispatch([&] {
    program.Copy("the newest");  // the notification, which posts the capture
    form.UMCapture();
    EXPECT_EQ(stale(), 40);
    form.UMShowCaptions();
    EXPECT_EQ(stale(), 32);
  });
  EXPECT_EQ(stale(), 0);
}

TEST(LargeWindowCopyTest, AMemoryInTheUsersHandsKeepsItsButtonsAndTheOthersMoveToo) {
  const std::vector<std::function<void(Program&)>> busy = {
      [](Program& p) { p.PanelOf(4).Focus(); },
      [](Program& p) { p.PanelOf(4).Press(5, 5); },
      [](Program& p) { p.LockOf(4).IsHeld = true; },
  };
  for (size_t i = 0; i < busy.size(); ++i) {
    Program program;
    StartFull(program, Large{false, 6, 20});
    busy[i](program);
    platform::Panel* panel = program.Memories()[3]->Panel.get();
    program.Copy("the newest");
    // Number 4 is number 3 now, on its own panel, which moved with it.
    EXPECT_EQ(program.Memories()[2]->Panel.get(), panel) << i;
    EXPECT_EQ(program.PanelOf(3).Bounds.Top, 90) << i;
    EXPECT_EQ(program.PanelOf(3).Caption, CaptionOf(Long(4))) << i;
    EXPECT_EQ(program.PanelOf(6).Caption, "the newest") << i;
  }
}

TEST(LargeWindowCopyTest, PreviewAndTheFocusGivenBackFollowTheirMemory) {
  Program program;
  StartFull(program, Large{false, 6, 20});
  fake::FakeMainWindow& window = program.Window();
  const platform::Rect r = program.PanelOf(4).Bounds;
  const platform::Point over{window.Bounds.Left + r.Left + 5, window.Bounds.Top + r.Top + 5};
  window.MoveMouse(over.X, over.Y);
  window.RestoredFocus = &program.PanelOf(4);

  program.Copy("the newest");
  EXPECT_EQ(window.RestoredFocus, &program.PanelOf(3));
  ASSERT_EQ(window.Previews.size(), 1u);
  EXPECT_EQ(window.Previews[0]->Text, Long(4));
  // The next move over the same panel finds the memory that is there now.
  window.MoveMouse(over.X + 1, over.Y);
  ASSERT_EQ(window.Previews.size(), 1u);
  EXPECT_EQ(window.Previews[0]->Text, Long(5));
  // The memory that goes takes the focus nowhere.
  window.RestoredFocus = &program.PanelOf(1);
  program.Copy("another");
  EXPECT_EQ(window.RestoredFocus, nullptr);
}

}  // namespace
}  // namespace korvane::test
