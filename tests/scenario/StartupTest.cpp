// Korvane's start and end on the fake platform: the start-up log, the single instance, the
// window, the order of shut-down and what a damaged installation does.
#include <gtest/gtest.h>

#include "app/Entry.h"
#include "app/Messages.h"
#include "app/Texts.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

const char kFifteenLines[] =
    "Start Soft\r\nSetTaskTray()\r\nOpen Setting.dat\r\nOpenInstitution()\r\n"
    "LoadCommonImage()\r\nInit2()\r\nOpenMemoryGroup()\r\nCreateMemoryTable()\r\n"
    "SetFormSize()\r\nCreateOptionButton()\r\nSetControlPosition()\r\nSetTabOrder()\r\n"
    "SetHotKey()\r\nSetClipboard()\r\nRefresh()\r\n";

TEST(Startup, LogHoldsTheFifteenStepsAndIsReplacedEachStart) {
  Program program;
  program.Files.PutFile("log.txt", "old run\r\n");
  program.Start();
  EXPECT_EQ(program.LogText(), kFifteenLines);
  program.Stop();
  EXPECT_EQ(program.LogText(), kFifteenLines);  // nothing is logged after start-up
  program.Start();
  EXPECT_EQ(program.LogText(), kFifteenLines);
}

TEST(Startup, SecondInstanceEndsAtOnceWithOne) {
  fake::FakeMachine machine;
  fake::FakePlatform first(machine);
  InstallShippedData(first.Files_);
  int secondCode = -1;
  first.Application.Session = [&] {
    fake::FakePlatform second(machine);
    InstallShippedData(second.Files_);
    second.Files_.Journal.clear();
    secondCode = RunKorvane(second);
    EXPECT_EQ(second.Application.MainForm, nullptr);  // no window
    EXPECT_TRUE(second.Journal.empty());              // no file, no registration
    EXPECT_TRUE(second.Application.Errors.empty());
  };
  EXPECT_EQ(RunKorvane(first), 0);
  EXPECT_EQ(secondCode, 1);
  EXPECT_TRUE(machine.Mutexes.empty());  // released at the end

  fake::FakePlatform third(machine);
  InstallShippedData(third.Files_);
  EXPECT_EQ(RunKorvane(third), 0);
}

TEST(Startup, WindowIsCaptionedOwnedAndShownWithoutTheApplicationWindow) {
  Program program;
  TForm1& form = program.Start();
  fake::FakeMainWindow& window = program.Window();
  EXPECT_EQ(window.Caption, "Korvane");
  EXPECT_TRUE(window.Visible);
  EXPECT_FALSE(program.Desktop.IsVisible(program.Platform.Application.Handle()));
  EXPECT_EQ(form.Shared.MainWindowHandle, window.Handle());
  // The shipped settings: memory numbers shown, on top, window at (100, 100), no memories.
  EXPECT_EQ(window.Bounds, platform::BoundsOf(100, 100, 191, 45));
  EXPECT_TRUE(window.TopMost);
  EXPECT_TRUE(form.PopForwardChecked);
  EXPECT_TRUE(form.PopCheckClipChecked);
  EXPECT_EQ(form.CurrentGroup(), Sjis("デフォルト"));
  ASSERT_EQ(program.Platform.System_.TrayIcons.size(), 1u);
  EXPECT_EQ(program.Platform.System_.TrayIcons[0].id, 100u);
  EXPECT_EQ(program.Platform.System_.TrayIcons[0].callback, 0x0401u);
  EXPECT_EQ(program.Platform.System_.TrayIcons[0].tip, "Korvane");
  // Ctrl+F12 is the shipped hotkey.
  ASSERT_EQ(program.Platform.System_.HotKeys.size(), 1u);
  EXPECT_EQ(program.Platform.System_.HotKeys.begin()->second, std::make_pair(2u, 0x7Bu));
  EXPECT_EQ(program.Clipboard.FirstViewer, window.Handle());
}

TEST(Startup, LockedMemoriesOfTheDefaultGroupAppearInOrder) {
  Program program;
  const std::string japanese = Sjis("日本語のメモ");
  PutMemories(program.Files, "デフォルト", {"first", japanese, "line one\r\nline two"});
  program.Start();
  ASSERT_EQ(program.Texts(), (std::vector<std::string>{"first", japanese, "line one\r\nline two"}));
  for (int n = 1; n <= 3; ++n) {
    EXPECT_TRUE(program.LockOf(n).IsDown);
    EXPECT_TRUE(program.PanelOf(n).Visible);
    EXPECT_EQ(program.PanelOf(n).Bounds, platform::BoundsOf(20, 40 + 25 * (n - 1), 130, 20));
    EXPECT_EQ(program.LockOf(n).Bounds, platform::BoundsOf(151, 40 + 25 * (n - 1), 20, 20));
  }
  EXPECT_EQ(program.PanelOf(2).Caption, japanese);
  EXPECT_EQ(program.Window().Bounds, platform::BoundsOf(100, 100, 191, 3 * 25 + 45));
}

TEST(Startup, UnlockedFolderIsIgnoredWhileUnlockedMemoriesAreNotKept) {
  Program program;
  PutMemories(program.Files, "Unlock", {"stale"});
  program.Start();
  EXPECT_TRUE(program.Texts().empty());
}

TEST(Startup, ClipboardTextPresentAtStartIsSeenAsACopy) {
  // Joining the viewer chain announces the clipboard's contents at once.
  Program program;
  program.Clipboard.Contents = "already there";
  program.Start();
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"already there"});
}

TEST(Startup, MissingLockPictureKeepsEveryMemoryUsable) {
  Program program;
  program.Files.RemoveFile("Data\\Lock.bmp");
  PutMemories(program.Files, "デフォルト", {"kept"});
  TForm1& form = program.Start();
  EXPECT_EQ(program.LogText(), kFifteenLines);
  EXPECT_TRUE(program.Platform.Application.Errors.empty());
  EXPECT_EQ(form.Shared.LockGlyph, nullptr);
  EXPECT_EQ(program.LockOf(1).Glyph, nullptr);
  EXPECT_TRUE(program.LockOf(1).IsDown);
}

TEST(Startup, DamagedLockPictureIsTreatedAsMissing) {
  Program program;
  program.Files.PutFile("Data\\Lock.bmp", "not a bitmap");
  program.Start();
  EXPECT_EQ(program.LogText(), kFifteenLines);
  EXPECT_EQ(program.Form->LockGlyph, nullptr);
}

TEST(Startup, DamagedOptionPictureIsReportedAndTheClipboardStillWatched) {
  Program program;
  // The header claims 30000 x 30000 pixels that the file does not hold.
  std::string huge = fake::BitmapFileBytes(18, 18);
  huge.replace(18, 8, std::string("\x30\x75\0\0\x30\x75\0\0", 8));
  program.Files.PutFile("Data\\Paste.bmp", huge);
  PutMemories(program.Files, "デフォルト", {"kept"});
  program.Start();
  EXPECT_EQ(program.Platform.Application.Errors.size(), 1u);
  EXPECT_EQ(program.LogText(), kFifteenLines);
  program.Copy("copied after start");
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"kept", "copied after start"}));
  program.Stop();
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "デフォルト", "memory0.dat")), "kept");
}

TEST(Startup, LockPictureIsGivenToEveryLockButton) {
  Program program;
  PutMemories(program.Files, "デフォルト", {"a"});
  TForm1& form = program.Start();
  ASSERT_NE(form.LockGlyph, nullptr);
  EXPECT_EQ(form.LockGlyph->Width(), 80);
  EXPECT_EQ(program.LockOf(1).Glyph, form.LockGlyph.get());
}

TEST(Startup, MissingGroupIndexStillGivesTheDefaultGroup) {
  Program program;
  program.Files.RemoveFile("Data\\GroupIndex.dat");
  PutMemories(program.Files, "デフォルト", {"a"});
  program.Start();
  EXPECT_EQ(program.Form->CurrentGroup(), Sjis("デフォルト"));
  program.Stop();
  EXPECT_EQ(program.Files.Bytes("Data\\GroupIndex.dat"),
            "1\r\n" + Sjis("デフォルト") + "\r\n");
}

TEST(Startup, DamagedGroupCountKeepsEveryGroupInTheMenuAndTheIndex) {
  // Such a count used to leave the default group alone, and the exit then wrote the others off.
  for (const char* count : {"abc", "-1", "0"}) {
    SCOPED_TRACE(count);
    Program program;
    const std::string index = "Data\\GroupIndex.dat";
    program.Files.PutFile(index, Sjis(std::string(count) + "\r\nデフォルト\r\n仕事\r\n\r\nA&B\r\n"));
    program.Start();
    EXPECT_EQ(program.Form->CurrentGroup(), Sjis("デフォルト"));
    program.Window().Deliver(UM_TRAYICON, 100, wm::RButtonDown);
    std::vector<std::string> groups;
    for (const auto& item : program.Window().LastMenu.at(0).submenu) groups.push_back(item.caption);
    EXPECT_EQ(groups, (std::vector<std::string>{Sjis("デフォルト"), Sjis("仕事"), "A&B"}));
    program.Stop();
    EXPECT_EQ(program.Files.Bytes(index), Sjis("3\r\nデフォルト\r\n仕事\r\nA&B\r\n"));
  }
}

TEST(Shutdown, RunsItsStepsInOrderAndSavesTheMemories) {
  Program program;
  PutMemories(program.Files, "デフォルト", {"one", "two"});
  program.Start();
  program.Platform.Journal.clear();
  program.Form->FormDestroy();
  const std::string data = "Data\\";
  const std::string group = data + Sjis("デフォルト") + "\\";
  auto replaced = [&](const std::string& name) {
    return "move " + group + name + ".new " + group + name;
  };
  // The memories as one step: new files beside the old, the journal, then the swap.
  const std::vector<std::string> expected = {
      "UnregisterHotKey",
      "GlobalDeleteAtom",
      "ChangeClipboardChain",
      "replace " + data + "Setting.dat",
      "replace " + data + "GroupIndex.dat",
      "write " + group + "memory0.dat.new",
      "write " + group + "memory1.dat.new",
      "write " + group + "index.dat.new",
      "replace " + data + "SaveJournal.dat",
      replaced("memory0.dat"),
      replaced("memory1.dat"),
      replaced("index.dat"),
      "delete " + data + "SaveJournal.dat",
      "DeleteTrayIcon",
  };
  EXPECT_EQ(program.Platform.Journal, expected);
  EXPECT_TRUE(program.Platform.System_.TrayIcons.empty());
  EXPECT_TRUE(program.Platform.System_.HotKeys.empty());
  EXPECT_EQ(program.Clipboard.FirstViewer, 0u);
  EXPECT_TRUE(program.Window().Panels.empty());  // the items went with their tables
}

TEST(Shutdown, MemoriesSurviveARestart) {
  Program program;
  PutMemories(program.Files, "デフォルト", {"kept", "also kept"});
  program.Start();
  program.Stop();
  program.Start();
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"kept", "also kept"}));
}

TEST(Shutdown, MissingDataFolderIsReportedAndNothingCrashes) {
  Program program;
  PutMemories(program.Files, "デフォルト", {"precious"});
  program.Start();
  program.Files.RemoveFolderTree("Data");
  program.Stop();
  ASSERT_EQ(program.Platform.Application.Errors.size(), 3u);
  EXPECT_EQ(program.Platform.Application.Errors[0],
            std::string(kSettingsSaveFailedMessage) + "Data\\Setting.dat");
  EXPECT_EQ(program.Platform.Application.Errors[1],
            std::string(kSettingsSaveFailedMessage) + "Data\\GroupIndex.dat");
  EXPECT_EQ(program.Platform.Application.Errors[2],
            std::string(kSaveFailedMessage) + "\nData\\" + Sjis("デフォルト"));
  // The program never makes Data itself: the installation is the user's to repair.
  EXPECT_FALSE(program.Files.FolderExists("Data"));
}

TEST(Shutdown, EntryRoutineEndsWithZeroAfterTheSession) {
  fake::FakePlatform platform;
  InstallShippedData(platform.Files_);
  bool ran = false;
  platform.Application.Session = [&] {
    ran = true;
    EXPECT_TRUE(platform.Application.MainForm->Visible);
    platform.Application.MainForm->Close();
  };
  EXPECT_EQ(RunKorvane(platform), 0);
  EXPECT_TRUE(ran);
  EXPECT_EQ(platform.Application.Title, "Korvane");
  EXPECT_EQ(platform.Application.HelpFile, "Help\\Korvane.hlp");
}

}  // namespace
}  // namespace korvane::test
