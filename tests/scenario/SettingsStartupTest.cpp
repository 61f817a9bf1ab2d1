// What start-up makes of the settings file, and what shut-down writes back.
#include <gtest/gtest.h>

#include "settings/SettingsFile.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

class SettingsStartupTest : public ::testing::Test {
 protected:
  std::string SettingsPath() { return "Data\\Setting.dat"; }
  void Store(const StoredSettings& stored) { program.Files.PutFile(SettingsPath(), WriteSettingsFile(stored)); }
  StoredSettings Written() {
    StoredSettings back;
    EXPECT_TRUE(ReadSettingsFile(program.Files.Bytes(SettingsPath()).value_or(""), back).Complete);
    return back;
  }
  Program program;
};

TEST_F(SettingsStartupTest, WindowStartsWhereItWasAndIsWrittenBackAlike) {
  StoredSettings s;
  s.Top = 300;
  s.Left = 640;
  Store(s);
  program.Start();
  EXPECT_EQ(program.Window().Bounds.Left, 640);
  EXPECT_EQ(program.Window().Bounds.Top, 300);
  program.Form->SetLeft(500);
  program.Stop();
  EXPECT_EQ(Written().Left, 500);
  EXPECT_EQ(Written().Top, 300);
}

TEST_F(SettingsStartupTest, LeftGrowingWindowStoresItsRightEdge) {
  StoredSettings s;
  s.Config.GrowLeft = true;
  s.Config.ShowMemoryNumber = false;  // width 167
  s.Left = 800;
  Store(s);
  program.Start();
  EXPECT_EQ(program.Window().Bounds.Left, 633);
  program.Stop();
  EXPECT_EQ(Written().Left, 800);
  program.Start();
  EXPECT_EQ(program.Window().Bounds.Left, 633);
}

TEST_F(SettingsStartupTest, PositionOffTheScreenIsBroughtBack) {
  struct Case { int left, top, expectedLeft, expectedTop; };
  for (Case c : {Case{1281, 801, 200, 100}, Case{1280, 800, 1280, 800}, Case{-5, -1, 0, 0},
                 Case{-2000, 900, 0, 100}}) {
    Program p;
    StoredSettings s;
    s.Left = c.left;
    s.Top = c.top;
    p.Files.PutFile("Data\\Setting.dat", WriteSettingsFile(s));
    p.Start();
    EXPECT_EQ(p.Window().Bounds.Left, c.expectedLeft) << c.left;
    // The bottom rule of the first sizing still applies after the correction.
    EXPECT_EQ(p.Window().Bounds.Top, std::min(c.expectedTop, 800 - 45)) << c.top;
  }
}

TEST_F(SettingsStartupTest, SettingsReachTheWindowAndTheMemories) {
  StoredSettings s;
  s.Config.ShowMemoryNumber = false;
  s.Config.WorkspaceColor = 0x00336699;
  s.Config.AlwaysOnTop = false;
  s.Config.KeepWatchAtStart = true;
  s.Config.WatchClipboard = false;
  s.Config.KeepHiddenAtStart = true;
  s.WindowHidden = true;
  s.MemoryLockColor = 0x0000AA;
  s.DoubleClickPaste = true;
  Store(s);
  PutMemories(program.Files, "デフォルト", {"x"});
  TForm1& form = program.Start();
  EXPECT_EQ(form.Shared.NumberMargin, 8);
  EXPECT_EQ(program.Window().BackColor, 0x00336699);
  EXPECT_FALSE(program.Window().TopMost);
  EXPECT_FALSE(form.PopForwardChecked);
  EXPECT_FALSE(form.PopCheckClipChecked);
  EXPECT_TRUE(form.PopWindowVisibleChecked);
  EXPECT_TRUE(form.Shared.DoubleClickPaste);
  EXPECT_EQ(program.PanelOf(1).Color, 0x0000AA);
  EXPECT_EQ(program.PanelOf(1).Bounds.Left, 8);
  program.Copy("not watched");
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"x"});
  program.Stop();
  EXPECT_FALSE(Written().Config.WatchClipboard);
  EXPECT_TRUE(Written().WindowHidden);
}

TEST_F(SettingsStartupTest, SaveUnlockedKeepsTheUnlockedMemoriesAcrossARestart) {
  StoredSettings s;
  s.Config.SaveUnlocked = true;
  Store(s);
  program.Start();
  program.Copy("u1");
  program.Copy("u2");
  program.Stop();
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "Unlock", "index.dat")), "2");
  program.Start();
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"u1", "u2"}));
  EXPECT_FALSE(program.LockOf(1).IsDown);
}

TEST_F(SettingsStartupTest, MissingOrDamagedFileStartsWithTheShippedValuesAndHeals) {
  for (const char* content : std::initializer_list<const char*>{"", "garbage", nullptr}) {
    Program p;
    if (content) {
      p.Files.PutFile("Data\\Setting.dat", content);
    } else {
      p.Files.RemoveFile("Data\\Setting.dat");
    }
    TForm1& form = p.Start();
    EXPECT_EQ(form.Config.MemoryLimit, Settings().MemoryLimit);
    EXPECT_EQ(p.Window().Bounds.Left, 100);
    p.Stop();
    StoredSettings shipped;
    EXPECT_EQ(p.Files.Bytes("Data\\Setting.dat"),
              WriteSettingsFile(shipped));
  }
}

TEST_F(SettingsStartupTest, ZeroPerColumnDoesNotDivideByZero) {
  StoredSettings s;
  s.Config.MemoriesPerColumn = 0;
  std::string file = WriteSettingsFile(s);  // the writer writes 0 as it is
  program.Files.PutFile(SettingsPath(), file);
  PutMemories(program.Files, "デフォルト", {"a", "b"});
  program.Start();
  EXPECT_EQ(program.Form->Config.MemoriesPerColumn, 1);
  EXPECT_EQ(program.PanelOf(2).Bounds.Left, 20 + 171);
}

}  // namespace
}  // namespace korvane::test
