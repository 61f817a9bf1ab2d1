// A user's work with the memories: locking, unlocking, pasting, copying while pasting.
#include <gtest/gtest.h>

#include "support/Program.h"

namespace korvane::test {
namespace {

class LockAndPasteTest : public ::testing::Test {
 protected:
  Program program;
};

TEST_F(LockAndPasteTest, LockingMakesTheMemoryTheLastLockedOne) {
  PutMemories(program.Files, "デフォルト", {"L1"});
  program.Start();
  for (const char* t : {"U1", "U2", "U3"}) program.Copy(t);
  ASSERT_EQ(program.Texts(), (std::vector<std::string>{"L1", "U1", "U2", "U3"}));

  program.LockOf(3).Click();  // U2
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"L1", "U2", "U1", "U3"}));
  EXPECT_EQ(program.Form->LockedCount(), 2);
  EXPECT_TRUE(program.LockOf(2).IsDown);
  EXPECT_EQ(program.PanelOf(2).Color, program.Form->Shared.MemoryLockColor);
  EXPECT_EQ(program.PanelOf(2).Bounds.Top, 65);  // laid out as number 2
  EXPECT_EQ(program.PanelOf(3).Bounds.Top, 90);
  // Saved at once (the shipped settings save on every lock change).
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "デフォルト", "index.dat")), "2");
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "デフォルト", "memory1.dat")), "U2");
}

TEST_F(LockAndPasteTest, UnlockingMakesTheMemoryTheNextToBeDropped) {
  PutMemories(program.Files, "デフォルト", {"L1", "L2"});
  TForm1& form = program.Start();
  form.Config.MemoryLimit = 4;
  for (const char* t : {"U1", "U2"}) program.Copy(t);  // full: 2 locked + 2 unlocked

  program.LockOf(1).Click();  // unlock L1: L2 | L1 U1 U2
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"L2", "L1", "U1", "U2"}));
  EXPECT_EQ(form.UnlockedCount(), 3);  // a move drops nothing

  program.Copy("U3");  // the unlocked table is full again: L1 goes first
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"L2", "U1", "U2", "U3"}));
}

TEST_F(LockAndPasteTest, LockChangeWithoutSaveOnLockChangeWritesNothing) {
  program.Start();
  program.Form->Config.SaveOnLockChange = false;
  program.Copy("x");
  program.Files.Journal.clear();
  program.Platform.Journal.clear();
  program.LockOf(1).Click();
  EXPECT_TRUE(program.LockOf(1).IsDown);  // the lock changed ...
  EXPECT_EQ(program.Form->LockedCount(), 1);
  EXPECT_TRUE(program.Platform.Journal.empty());  // ... and nothing was written for it
}

TEST_F(LockAndPasteTest, ClickPastesIntoTheEditorAndTheCopyIsSkippedAsDuplicate) {
  program.Start();
  program.Copy("hello");
  fake::WindowHandle editor = program.OpenEditor();
  program.Desktop.Activate(program.Window().Handle());  // the user clicks into Korvane
  program.PanelOf(1).Click();
  EXPECT_EQ(program.Clipboard.Contents, "hello");
  ASSERT_EQ(program.Desktop.Keys.size(), 4u);
  EXPECT_EQ(program.Desktop.Keys[1].key, 0x56);
  EXPECT_EQ(program.Desktop.Keys[1].foreground, editor);
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"hello"});  // duplicates skipped
}

TEST_F(LockAndPasteTest, PastingTheOldestOfAFullTableDropsItDuringItsOwnClick) {
  // The paste's own clipboard change is captured as soon as the click has been handled: the
  // clicked memory is dropped and its text comes back as the newest. Nothing may touch the
  // dropped item (the sanitizer build fails on any use after free).
  TForm1& form = program.Start();
  form.Config.SkipDuplicates = false;
  form.Config.MemoryLimit = 3;
  for (const char* t : {"a", "b", "c"}) program.Copy(t);
  fake::WindowHandle editor = program.OpenEditor();
  program.Desktop.Activate(program.Window().Handle());

  program.PanelOf(1).Click();
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(program.Clipboard.Contents, "a");
  ASSERT_EQ(program.Desktop.Keys.size(), 4u);
  EXPECT_EQ(program.Desktop.Keys.back().foreground, editor);

  // The same with double-click pasting: the press that follows the double click must not reach
  // the dropped panel.
  form.Config.MemoryLimit = 3;
  form.Shared.DoubleClickPaste = true;
  program.PanelOf(1).DoubleClick();
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(LockAndPasteTest, FocusedMemoryDroppedByACaptureLeavesNoDanglingFocus) {
  TForm1& form = program.Start();
  form.Config.MemoryLimit = 1;
  program.Copy("a");
  program.PanelOf(1).Focus();
  EXPECT_NE(form.Shared.FocusedItem, nullptr);
  program.Copy("b");
  EXPECT_EQ(form.Shared.FocusedItem, nullptr);
  EXPECT_EQ(program.Window().FocusedPanel, nullptr);
}

TEST_F(LockAndPasteTest, EraseAllKeepsTheLockedMemories) {
  PutMemories(program.Files, "デフォルト", {"L"});
  TForm1& form = program.Start();
  for (const char* t : {"u1", "u2"}) program.Copy(t);
  form.EraseUnlockedMemories();
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"L"});
  EXPECT_EQ(program.Window().Bounds.Height(), 25 + 45);
  EXPECT_EQ(program.Window().Panels.size(), 1u);
}

}  // namespace
}  // namespace korvane::test
