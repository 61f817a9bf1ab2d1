// A window of many memories: a copy at the limit keeps every button where it stands and moves
// the memories through them, and the window it leaves is the one a fresh start with the same
// memories shows. A memory the user is working with keeps its own buttons.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/Program.h"

namespace korvane::test {
namespace {

// What a user sees of each memory, and its place in the keyboard order.
std::vector<std::string> SeenOf(const Program& program) {
  std::vector<std::string> seen;
  for (int n = 1; n <= static_cast<int>(program.Memories().size()); ++n) {
    const fake::FakePanel& panel = program.PanelOf(n);
    const fake::FakeToggleButton& lock = program.LockOf(n);
    std::ostringstream out;
    out << n << " " << panel.Caption << " at " << panel.Bounds.Left << "," << panel.Bounds.Top
        << (panel.Visible ? "" : " hidden") << " colour " << panel.Color << "/"
        << panel.FontColor << (panel.Raised() ? "" : " pressed") << " tab " << panel.TabStop
        << "/" << panel.TabOrder << " lock at " << lock.Bounds.Left << "," << lock.Bounds.Top
        << (lock.IsDown ? " down" : "") << (lock.Visible ? "" : " hidden");
    seen.push_back(out.str());
  }
  return seen;
}

// The numbers and frame a full repaint draws.
std::vector<std::string> FaceOf(Program& program) {
  program.Window().Refresh();
  std::vector<std::string> face;
  for (const fake::CanvasOp& op : program.Window().LastPaint) {
    face.push_back(op.kind + " " + std::to_string(op.a) + "," + std::to_string(op.b) + " " +
                   op.text);
  }
  return face;
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

std::string Long(const std::string& what, int i) {
  // Longer than a caption, so that a caption shown is the start of the right text.
  return what + " " + std::to_string(i) + " and more text after the caption's end";
}

class LargeWindowTest : public ::testing::TestWithParam<Large> {};

TEST_P(LargeWindowTest, CopiesAndLockChangesLookLikeAFreshStartWithTheSameMemories) {
  const Large c = GetParam();
  Program used;
  Configure(used, c);
  PutMemories(used.Files, "デフォルト", {Long("locked", 1), Long("locked", 2), Long("locked", 3)});
  used.Start();
  std::mt19937 random(7);
  int copies = 0;
  // Past the limit several times over, with locks and unlocks in between: a memory locked
  // ends the locked ones, one unlocked becomes the next to go.
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < c.limit + 7; ++i) used.Copy(Long("copy", copies++));
    const int count = static_cast<int>(used.Memories().size());
    used.LockOf(static_cast<int>(random() % count) + 1).Click();
  }
  for (int i = 0; i < c.limit / 2; ++i) used.Copy(Long("copy", copies++));

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
  for (size_t i = 0; i < used.Window().ImageButtons.size(); ++i) {
    EXPECT_EQ(used.Window().ImageButtons[i]->Bounds, fresh.Window().ImageButtons[i]->Bounds);
    EXPECT_EQ(used.Window().ImageButtons[i]->TabOrder, fresh.Window().ImageButtons[i]->TabOrder);
  }
  EXPECT_EQ(FaceOf(used), FaceOf(fresh));
  // Every button the user sees is a memory's, and no other is left over.
  EXPECT_EQ(used.Window().Panels.size(), texts.size());
  EXPECT_EQ(used.Window().ToggleButtons.size(), texts.size());
}

INSTANTIATE_TEST_SUITE_P(Directions, LargeWindowTest,
                         ::testing::Values(Large{false, 99, 20}, Large{true, 99, 20},
                                           Large{true, 5, 3}));

TEST(LargeWindowCopyTest, ACopyAtTheLimitMovesAndMakesNoButtonWhateverTheCount) {
  for (const int limit : {5, 99}) {
    Program program;
    Configure(program, Large{false, limit, 20});
    PutMemories(program.Files, "デフォルト", {"locked"});
    program.Start();
    for (int i = 1; i < limit; ++i) program.Copy(Long("copy", i));
    fake::FakeMainWindow& window = program.Window();
    const int moves = window.ControlMoves;
    const int made = window.ControlsMade;
    const auto panels = window.Panels;
    program.Copy("the newest");
    EXPECT_EQ(window.ControlMoves, moves) << limit;
    EXPECT_EQ(window.ControlsMade, made) << limit;
    EXPECT_EQ(window.Panels, panels) << limit;
    EXPECT_EQ(program.PanelOf(limit).Caption, "the newest") << limit;
    EXPECT_EQ(program.PanelOf(2).Caption, Long("copy", 2).substr(0, 24)) << limit;
  }
}

TEST(LargeWindowCopyTest, MovedMemoriesShowTheirCaptionsAFewToAMessageAfterTheCapture) {
  Program program;
  Configure(program, Large{false, 40, 20});
  TForm1& form = program.Start();
  for (int i = 1; i <= 40; ++i) program.Copy(Long("copy", i));
  auto stale = [&] {
    int count = 0;
    for (int n = 1; n <= 40; ++n) {
      count += program.PanelOf(n).Caption != CaptionOf(program.Memories()[n - 1]->Text);
    }
    return count;
  };
  program.Window().Dispatch([&] {
    // Within one message: the notification, then the capture it posted.
    program.Copy("the newest");
    form.UMCapture();
    EXPECT_EQ(program.Texts().back(), "the newest");
    EXPECT_EQ(stale(), 40);
    form.UMShowCaptions();
    EXPECT_EQ(stale(), 32);
  });
  // The messages posted meanwhile show the rest.
  EXPECT_EQ(stale(), 0);
}

// A memory that the user is working with when the copy comes.
struct Busy {
  const char* what;
  std::function<void(Program&, int number)> make;
};

TEST(LargeWindowCopyTest, AMemoryInTheUsersHandsKeepsItsButtonsAndTheRestFollowIt) {
  const std::vector<Busy> cases = {
      {"focused", [](Program& p, int n) { p.PanelOf(n).Focus(); }},
      {"pressed", [](Program& p, int n) { p.PanelOf(n).Press(5, 5); }},
      {"lock held", [](Program& p, int n) { p.LockOf(n).IsHeld = true; }},
  };
  for (const Busy& busy : cases) {
    Program program;
    Configure(program, Large{false, 6, 20});
    program.Start();
    program.Form->Config.ShowPreview = true;
    for (int i = 1; i <= 6; ++i) program.Copy(Long("copy", i));
    busy.make(program, 4);
    platform::Panel* panel = program.Memories()[3]->Panel.get();

    program.Copy("the newest");
    // The memory that was number 4 is number 3 now, on the same panel, which moved with it.
    EXPECT_EQ(program.Memories()[2]->Panel.get(), panel) << busy.what;
    EXPECT_EQ(program.PanelOf(3).Bounds.Top, 40 + 2 * 25) << busy.what;
    EXPECT_EQ(program.PanelOf(3).Caption, Long("copy", 4).substr(0, 24)) << busy.what;
    EXPECT_EQ(program.PanelOf(6).Caption, "the newest") << busy.what;
  }
}

TEST(LargeWindowCopyTest, APreviewStaysWithItsMemoryUntilTheMouseMovesOverTheNextOne) {
  Program program;
  Configure(program, Large{false, 6, 20});
  program.Start();
  program.Form->Config.ShowPreview = true;
  for (int i = 1; i <= 6; ++i) program.Copy(Long("copy", i));
  fake::FakeMainWindow& window = program.Window();
  const platform::Rect panel = program.PanelOf(4).Bounds;
  const platform::Point over{window.Bounds.Left + panel.Left + 5, window.Bounds.Top + panel.Top + 5};
  window.MoveMouse(over.X, over.Y);
  ASSERT_EQ(window.Previews.size(), 1u);
  const int moves = window.ControlMoves;

  program.Copy("the newest");
  EXPECT_EQ(window.ControlMoves, moves);
  ASSERT_EQ(window.Previews.size(), 1u);
  EXPECT_EQ(window.Previews[0]->Text, Long("copy", 4));
  // Under the mouse now: the memory that was number 5.
  window.MoveMouse(over.X + 1, over.Y);
  ASSERT_EQ(window.Previews.size(), 1u);
  EXPECT_EQ(window.Previews[0]->Text, Long("copy", 5));
}

TEST(LargeWindowCopyTest, TheFocusGivenBackOnActivationFollowsItsMemory) {
  Program program;
  Configure(program, Large{false, 6, 20});
  program.Start();
  for (int i = 1; i <= 6; ++i) program.Copy(Long("copy", i));
  fake::FakeMainWindow& window = program.Window();

  window.RestoredFocus = &program.PanelOf(4);
  program.Copy("one more");
  EXPECT_EQ(window.RestoredFocus, &program.PanelOf(3));
  EXPECT_EQ(window.RestoredFocus->Caption, Long("copy", 4).substr(0, 24));

  // The memory that goes takes it nowhere.
  window.RestoredFocus = &program.PanelOf(1);
  program.Copy("and another");
  EXPECT_EQ(window.RestoredFocus, nullptr);
}

}  // namespace
}  // namespace korvane::test
