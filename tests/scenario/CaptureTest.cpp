// Clipboard capture: what a copy made elsewhere becomes, and the viewer chain behind us.
#include <gtest/gtest.h>

#include "settings/SettingsFile.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

using Texts = std::vector<std::string>;

class CaptureTest : public ::testing::Test {
 protected:
  void StoredSettingsForUnlocked() {
    StoredSettings s;
    s.Config.SaveUnlocked = true;
    program.Files.PutFile("Data\\Setting.dat",
                          WriteSettingsFile(s));
  }
  Program program;
};

TEST_F(CaptureTest, CopiesBecomeTheNewestMemoryAndTheWindowGrows) {
  program.Start();
  program.Copy("one");
  program.Copy("two\r\nsecond line");
  EXPECT_EQ(program.Texts(), (Texts{"one", "two\r\nsecond line"}));
  EXPECT_EQ(program.Window().Bounds.Height(), 2 * 25 + 45);
  EXPECT_EQ(program.PanelOf(2).Bounds.Top, 65);
  EXPECT_TRUE(program.PanelOf(2).Visible);
}

TEST_F(CaptureTest, FullTableDropsTheOldestUnlockedAndNumbersShift) {
  PutMemories(program.Files, "デフォルト", {"L1", "L2"});
  TForm1& form = program.Start();
  form.Config.MemoryLimit = 5;
  for (const char* t : {"u3", "u4", "u5"}) program.Copy(t);
  program.Copy("new");
  EXPECT_EQ(program.Texts(), (Texts{"L1", "L2", "u4", "u5", "new"}));
}

TEST_F(CaptureTest, AllSlotsLockedCapturesNothingButTheChainHearsIt) {
  PutMemories(program.Files, "デフォルト", {"1", "2", "3", "4", "5"});
  // Joined before Korvane, so it follows Korvane: it hears only what Korvane passes on.
  fake::OtherViewer behind(program.Desktop, program.Clipboard);
  TForm1& form = program.Start();
  form.Config.MemoryLimit = 5;
  const int joined = behind.DrawNotifications;
  program.Copy("nothing");
  EXPECT_EQ(program.Texts().size(), 5u);
  EXPECT_EQ(behind.DrawNotifications, joined + 1);
  // More locked memories than the limit (a large group) leaves no slot either.
  form.Config.MemoryLimit = 3;
  program.Copy("still nothing");
  EXPECT_EQ(program.Texts().size(), 5u);
  EXPECT_EQ(behind.DrawNotifications, joined + 2);
}

TEST_F(CaptureTest, OverfullStartIsDroppedDownToTheLimitByTheNextCopy) {
  StoredSettingsForUnlocked();
  PutMemories(program.Files, "Unlock", {"a", "b", "c", "d"});
  TForm1& form = program.Start();
  form.Config.MemoryLimit = 3;
  EXPECT_EQ(program.Texts().size(), 4u);  // nothing is trimmed at start
  program.Copy("new");
  EXPECT_EQ(program.Texts(), (Texts{"c", "d", "new"}));
  EXPECT_EQ(program.Window().Bounds.Height(), 3 * 25 + 45);
}

TEST_F(CaptureTest, NoTextOrAPrivateCopyIsNotCaptured) {
  program.Start();
  program.Clipboard.CopyFromOtherProgram(std::nullopt);  // an image, files, an empty clipboard
  program.Clipboard.CopyFromOtherProgram(std::string("s3cret!"), true);  // a password manager
  EXPECT_TRUE(program.Texts().empty());
  program.Copy("");  // empty text is still text
  EXPECT_EQ(program.Texts(), Texts{""});
}

TEST_F(CaptureTest, DuplicatesFollowTheSetting) {
  PutMemories(program.Files, "デフォルト", {"locked"});
  TForm1& form = program.Start();
  program.Copy("x");
  program.Copy("x");
  program.Copy("locked");
  EXPECT_EQ(program.Texts(), (Texts{"locked", "x"}));
  form.Config.SkipDuplicates = false;
  program.Copy("x");
  program.Copy("locked");
  EXPECT_EQ(program.Texts(), (Texts{"locked", "x", "x", "locked"}));
  program.Copy("X");  // case counts
  EXPECT_EQ(program.Texts().back(), "X");
}

TEST_F(CaptureTest, WatchingOffCapturesNothingAndOnDoesNotTakeWhatIsThere) {
  TForm1& form = program.Start();
  form.ToggleClipboardWatch();
  EXPECT_FALSE(form.PopCheckClipChecked);
  program.Copy("while off");
  form.ToggleClipboardWatch();
  EXPECT_TRUE(form.PopCheckClipChecked);
  EXPECT_TRUE(program.Texts().empty());
  program.Copy("after");
  EXPECT_EQ(program.Texts(), Texts{"after"});
}

TEST_F(CaptureTest, ViewerBehindUsHearsEveryChangeAndTheChainIsRepaired) {
  fake::OtherViewer behind(program.Desktop, program.Clipboard);  // joined before Korvane
  TForm1& form = program.Start();
  EXPECT_EQ(form.NextClipboardViewer, behind.Handle);
  const int joined = behind.DrawNotifications;
  program.Copy("a");
  form.ToggleClipboardWatch();
  program.Copy("b");
  EXPECT_EQ(behind.DrawNotifications, joined + 2);

  // A viewer that joined after Korvane leaves: the notice is passed on to those behind.
  {
    fake::OtherViewer front(program.Desktop, program.Clipboard);
    front.Leave();
  }
  EXPECT_EQ(form.NextClipboardViewer, behind.Handle);
  // The viewer right behind Korvane leaves: Korvane's next is repaired and the notice stops.
  const auto changesSeen = behind.ChainChanges.size();
  behind.Leave();
  EXPECT_EQ(form.NextClipboardViewer, 0u);
  EXPECT_EQ(behind.ChainChanges.size(), changesSeen);
  program.Copy("c");  // no next viewer: nothing breaks
}

TEST_F(CaptureTest, RemovalOfAViewerFurtherDownIsPassedOn) {
  fake::OtherViewer last(program.Desktop, program.Clipboard);
  fake::OtherViewer middle(program.Desktop, program.Clipboard);
  TForm1& form = program.Start();
  ASSERT_EQ(form.NextClipboardViewer, middle.Handle);
  last.Leave();  // not ours: passed down to middle, which repairs itself
  EXPECT_EQ(middle.Next, 0u);
  EXPECT_EQ(form.NextClipboardViewer, middle.Handle);
}

}  // namespace
}  // namespace korvane::test
