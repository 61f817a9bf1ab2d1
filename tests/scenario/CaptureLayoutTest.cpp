// A copy re-lays the window out incrementally: what the user sees after many copies must be
// what a fresh start with the same memories shows, and the window's own face is drawn again
// only when it changed.
#include <gtest/gtest.h>

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
    out << panel.Caption << " at " << panel.Bounds.Left << "," << panel.Bounds.Top << " "
        << panel.Bounds.Width() << "x" << panel.Bounds.Height() << (panel.Visible ? "" : " hidden")
        << " colour " << panel.Color << " tab " << panel.TabStop << "/" << panel.TabOrder
        << " lock at " << lock.Bounds.Left << "," << lock.Bounds.Top << (lock.IsDown ? " down" : "")
        << (lock.Visible ? "" : " hidden");
    seen.push_back(out.str());
  }
  return seen;
}

void ConfigureSmallWindow(Program& program, bool growLeft, bool numbers) {
  program.Configure([&](StoredSettings& s) {
    s.Left = 400;
    s.Config.GrowLeft = growLeft;
    s.Config.ShowMemoryNumber = numbers;
    s.Config.MemoriesPerColumn = 3;
    s.Config.MemoryLimit = 7;
    s.Config.SaveUnlocked = true;
  });
}

struct LayoutCase {
  bool growLeft;
  bool numbers;
};

class CaptureLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(CaptureLayoutTest, ManyCopiesAtTheLimitLookLikeAFreshStartWithTheSameMemories) {
  const LayoutCase c = GetParam();
  Program copied;
  ConfigureSmallWindow(copied, c.growLeft, c.numbers);
  PutMemories(copied.Files, "デフォルト", {"locked 1", "locked 2"});
  copied.Start();
  // Long texts: the captions are their first 24 bytes.
  for (int i = 0; i < 23; ++i) {
    copied.Copy("copy " + std::to_string(i) + " and some more text after it");
  }
  const std::vector<std::string> texts = copied.Texts();
  const std::vector<std::string> unlocked(texts.begin() + 2, texts.end());
  ASSERT_EQ(unlocked.size(), 5u);

  Program fresh;
  ConfigureSmallWindow(fresh, c.growLeft, c.numbers);
  PutMemories(fresh.Files, "デフォルト", {"locked 1", "locked 2"});
  PutMemories(fresh.Files, "Unlock", unlocked);
  fresh.Start();

  EXPECT_EQ(SeenOf(copied), SeenOf(fresh));
  EXPECT_EQ(copied.Window().Bounds.Width(), fresh.Window().Bounds.Width());
  EXPECT_EQ(copied.Window().Bounds.Height(), fresh.Window().Bounds.Height());
  for (size_t i = 0; i < copied.Window().ImageButtons.size(); ++i) {
    EXPECT_EQ(copied.Window().ImageButtons[i]->Bounds, fresh.Window().ImageButtons[i]->Bounds);
    EXPECT_EQ(copied.Window().ImageButtons[i]->TabOrder, fresh.Window().ImageButtons[i]->TabOrder);
  }
}

INSTANTIATE_TEST_SUITE_P(Directions, CaptureLayoutTest,
                         ::testing::Values(LayoutCase{false, false}, LayoutCase{true, true}));

// The number texts drawn on the window's face, in drawing order.
std::vector<std::string> NumbersDrawn(const std::vector<fake::CanvasOp>& ops) {
  std::vector<std::string> numbers;
  for (const auto& op : ops) {
    if (op.kind == "text") numbers.push_back(op.text);
  }
  return numbers;
}

TEST(CaptureFaceTest, AGrowingWindowShowsEveryNumberAFullOneDrawsNothingAgain) {
  Program program;
  ConfigureSmallWindow(program, false, true);
  TForm1& form = program.Start();
  const int refreshes = program.Window().Refreshes;

  // The frame moves with the size and wipes the number boxes: all are drawn again.
  program.Copy("one");
  program.Copy("two");
  program.Window().Drawn.clear();
  program.Copy("three");
  EXPECT_EQ(NumbersDrawn(program.Window().Drawn), (std::vector<std::string>{"1", "2", "3"}));
  ASSERT_FALSE(program.Window().Drawn.empty());
  EXPECT_EQ(program.Window().Drawn.front().kind, "fill");

  // Full: the memories move up a place, the frame and the numbers stay as they are.
  for (int i = 0; i < form.Config.MemoryLimit; ++i) program.Copy("more " + std::to_string(i));
  program.Window().Drawn.clear();
  program.Copy("at the limit");
  EXPECT_TRUE(program.Window().Drawn.empty());
  EXPECT_EQ(program.PanelOf(form.Config.MemoryLimit).Caption, "at the limit");

  // No copy repaints the whole window; the controls repaint themselves.
  EXPECT_EQ(program.Window().Refreshes, refreshes);
}

}  // namespace
}  // namespace korvane::test
