// What every Windows user meets sooner or later must lose nothing: the session ending, a save
// cut short, a busy clipboard, a hung or vanished neighbour, odd group names, a failing call.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Messages.h"
#include "platform/TextMode.h"
#include "memory/ClipboardWatch.h"
#include "settings/SettingsFile.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

using Texts = std::vector<std::string>;

// Starts `next` as a new process on what the disk of `before` holds now.
TForm1& StartOnDiskOf(Program& next, const Program& before) {
  next.Files.TakeDiskOf(before.Files);
  return next.Start();
}

class RobustnessTest : public ::testing::Test {
 protected:
  void Configure(bool saveOnLock, bool saveUnlocked) {
    program.Configure([&](StoredSettings& s) {
      s.Config.SaveOnLockChange = saveOnLock;
      s.Config.SaveUnlocked = saveUnlocked;
      s.Config.MemoryLimit = 9;
    });
  }
  // A new process on what the disk holds now.
  Texts RestartedTexts() {
    Program next;
    StartOnDiskOf(next, program);
    return next.Texts();
  }
  fake::FakeMainWindow& Window() { return program.Window(); }
  // A viewer of another program that follows us in the chain.
  std::unique_ptr<fake::OtherViewer> ViewerBehindUs(TForm1& form) {
    auto viewer = std::make_unique<fake::OtherViewer>(program.Desktop, program.Clipboard);
    viewer->Leave();
    viewer->Next = 0;
    program.Clipboard.FirstViewer = form.Window->Handle();
    form.NextClipboardViewer = viewer->Handle;
    return viewer;
  }
  Program program;
};

TEST_F(RobustnessTest, SessionEndWritesWhatShutDownWritesOnceAndNeverHoldsItUp) {
  Configure(false, true);
  PutMemories(program.Files, "デフォルト", {"kept"});
  program.Start();
  program.Copy("copied");
  program.LockOf(2).Click();  // locked, not yet saved
  program.Copy("unlocked");
  program.Files.Journal.clear();

  EXPECT_NE(Window().Deliver(wm::QueryEndSession, 0, 0), 0);
  Window().Deliver(wm::EndSession, 0, 0);  // cancelled by another program: nothing
  EXPECT_TRUE(program.Files.Journal.empty());

  Window().Deliver(wm::EndSession, 1, 0);
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "デフォルト", "index.dat")), "2");
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "Unlock", "memory0.dat")), "unlocked");
  EXPECT_TRUE(program.Files.Bytes("Data\\Setting.dat"));
  EXPECT_EQ(RestartedTexts(), (Texts{"kept", "copied", "unlocked"}));
  EXPECT_EQ(program.Clipboard.FirstViewer, 0u);  // out of the chain

  const std::size_t writes = program.Files.Journal.size();
  Window().Deliver(wm::EndSession, 1, 0);
  program.Stop();
  EXPECT_EQ(program.Files.Journal.size(), writes);  // once
}

TEST_F(RobustnessTest, FailedSaveAtSessionEndShowsNoBox) {
  program.Start();
  program.Files.ChangesBeforeFailure = 0;
  Window().Deliver(wm::EndSession, 1, 0);
  EXPECT_TRUE(program.Platform.Application.Errors.empty());
}

// The save after a lock change moves a memory between two folders. Killed after any number
// of changes to the disk, the next start finds every memory exactly once.
TEST_F(RobustnessTest, SaveKilledAtAnyPointLosesAndDoublesNothing) {
  for (bool unlock : {true, false}) {
    for (int kill = 0;; ++kill) {
      Program run;
      run.Configure([](StoredSettings& s) {
        s.Config.SaveOnLockChange = true;
        s.Config.SaveUnlocked = true;
        s.Config.MemoryLimit = 9;
      });
      PutMemories(run.Files, "デフォルト", {"L1", "L2", "L3"});
      PutMemories(run.Files, "Unlock", {"U1", "U2"});
      run.Start();
      Texts before = run.Texts();
      run.Files.ChangesBeforeKill = kill;
      run.LockOf(unlock ? 2 : 5).Click();
      const bool finished = run.Files.ChangesBeforeKill != 0;

      Program next;
      StartOnDiskOf(next, run);
      Texts after = next.Texts();
      std::sort(before.begin(), before.end());
      std::sort(after.begin(), after.end());
      ASSERT_EQ(after, before) << (unlock ? "unlock" : "lock") << ", killed after " << kill;
      if (finished) break;
      ASSERT_LT(kill, 40);
    }
  }
}

TEST_F(RobustnessTest, FailedSaveKeepsTheOldSetAndTellsTheUser) {
  Configure(true, true);
  PutMemories(program.Files, "デフォルト", {"L1", "L2"});
  PutMemories(program.Files, "Unlock", {"U1"});
  program.Start();
  // The second new file cannot be written (a full disk): nothing of the save may count.
  program.Files.ChangesBeforeFailure = 1;
  program.LockOf(1).Click();
  ASSERT_EQ(program.Platform.Application.Errors.size(), 1u);
  EXPECT_NE(program.Platform.Application.Errors[0].find("Data\\Unlock"), std::string::npos);
  EXPECT_EQ(RestartedTexts(), (Texts{"L1", "L2", "U1"}));
  EXPECT_TRUE(program.Files.FilesIn("Data\\Unlock") == (Texts{"index.dat", "memory0.dat"}));

  program.Files.ChangesBeforeFailure = -1;
  program.LockOf(1).Click();  // the disk has room again: L2 unlocked too
  EXPECT_EQ(RestartedTexts(), (Texts{"L2", "L1", "U1"}));
  EXPECT_EQ(program.Platform.Application.Errors.size(), 1u);
}

TEST_F(RobustnessTest, LockedMemoriesGoBackToTheFolderTheyCameFrom) {
  // An index whose first entry is not the default group, and names that are no folder.
  program.Files.PutFile("Data\\GroupIndex.dat",
                        Sjis("6\r\nOther\r\nデフォルト\r\n..\\..\\Windows\r\nCON\r\nunlock\r\n"
                             "デフォルト.\r\n"));
  PutMemories(program.Files, "Other", {"other's"});
  PutMemories(program.Files, "デフォルト", {"default's"});
  program.Start();
  EXPECT_EQ(program.Texts(), Texts{"default's"});
  program.Copy("new");
  program.LockOf(2).Click();
  program.Stop();
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "Other", "memory0.dat")), "other's");
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "Other", "index.dat")), "1");
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "デフォルト", "memory1.dat")), "new");
  // The index keeps every name as read, and nothing was touched outside the group folders.
  EXPECT_EQ(platform::FromTextModeBytes(*program.Files.Bytes("Data\\GroupIndex.dat")),
            Sjis("6\nOther\nデフォルト\n..\\..\\Windows\nCON\nunlock\nデフォルト.\n"));
  EXPECT_TRUE(program.Files.Outside.empty());
  EXPECT_TRUE(program.Files.Devices.empty());
}

TEST_F(RobustnessTest, BusyClipboardIsReadAgainOnTheTimerAndAPasteSendsNoKeys) {
  program.Start();
  program.Clipboard.BusyReads = 3;  // held open for a moment after the copy
  program.Copy("held");
  EXPECT_TRUE(program.Texts().empty());
  ASSERT_EQ(Window().Timers.count(ClipboardWatch::kRetryTimer), 1u);
  for (int tick = 0; tick < 3; ++tick) Window().FireTimer(ClipboardWatch::kRetryTimer);
  EXPECT_EQ(program.Texts(), Texts{"held"});
  EXPECT_EQ(Window().Timers.count(ClipboardWatch::kRetryTimer), 0u);

  // Held for good: the looks stop after a while, and the copy is not taken twice later.
  program.Clipboard.HeldByOther = true;
  program.Copy("never free");
  for (int tick = 0; tick < 100 && Window().FireTimer(ClipboardWatch::kRetryTimer);) ++tick;
  EXPECT_EQ(Window().Timers.count(ClipboardWatch::kRetryTimer), 0u);

  // A paste that cannot put its text on the clipboard must not paste what is there.
  const auto editor = program.OpenEditor();
  program.PanelOf(1).Click();
  EXPECT_TRUE(program.Desktop.Keys.empty());
  program.Clipboard.HeldByOther = false;
  program.PanelOf(1).Click();
  EXPECT_EQ(program.Desktop.Keys.size(), 4u);
  EXPECT_EQ(program.Desktop.Keys.back().foreground, editor);
}

TEST_F(RobustnessTest, ACopyAnnouncedTwiceIsTakenOnce) {
  program.Start().Config.SkipDuplicates = false;
  program.Copy("once");
  Window().Deliver(wm::DrawClipboard, 0, 0);  // a late notification of the same copy
  EXPECT_EQ(program.Texts(), Texts{"once"});
  program.Copy("once");  // copied again: a new copy
  EXPECT_EQ(program.Texts(), (Texts{"once", "once"}));
}

TEST_F(RobustnessTest, HungOrVanishedNeighboursDoNotStopUs) {
  TForm1& form = program.Start();
  auto viewer = ViewerBehindUs(form);
  fake::OtherViewer& behind = *viewer;
  program.Desktop.Hung.push_back(behind.Handle);
  program.Copy("while it hangs");
  EXPECT_EQ(program.Texts(), Texts{"while it hangs"});
  EXPECT_EQ(program.Desktop.SendsBlocked, 0);  // never waited for
  EXPECT_EQ(program.Desktop.NotifiesQueued, 1);
  EXPECT_EQ(form.NextClipboardViewer, behind.Handle);  // a hung one keeps its place
  // A chain change is waited for, but not for ever.
  program.Window().Deliver(wm::ChangeCBChain, 0x7777, 0);
  EXPECT_EQ(program.Desktop.SendsTimedOut, 1);
  EXPECT_EQ(program.Desktop.SendsBlocked, 0);

  program.Desktop.Hung.clear();
  program.Desktop.RemoveWindow(behind.Handle);  // gone without a word
  program.Copy("after it died");
  EXPECT_EQ(form.NextClipboardViewer, 0u);
  EXPECT_EQ(program.Texts().size(), 2u);
}

TEST_F(RobustnessTest, AViewerInFrontThatDiedInTheChainIsNoticedAndWeJoinAgain) {
  TForm1& form = program.Start();
  form.Config.MemoryLimit = 20;
  form.Config.SkipDuplicates = false;
  auto viewer = ViewerBehindUs(form);
  fake::OtherViewer& behindUs = *viewer;
  auto front = std::make_unique<fake::OtherViewer>(program.Desktop, program.Clipboard);
  program.Copy("seen");
  front->Die();
  program.Copy("missed");  // nobody is told
  EXPECT_EQ(program.Texts(), Texts{"seen"});
  // Changes without a notification for a whole check: the chain is cut in front of us.
  Window().FireTimer(ClipboardWatch::kChainTimer);
  EXPECT_EQ(program.Texts(), Texts{"seen"});
  Window().FireTimer(ClipboardWatch::kChainTimer);
  EXPECT_EQ(program.Texts(), (Texts{"seen", "missed"}));
  const int heard = behindUs.DrawNotifications;
  program.Copy("next");
  EXPECT_EQ(program.Texts(), (Texts{"seen", "missed", "next"}));
  EXPECT_EQ(behindUs.DrawNotifications, heard + 1);  // those behind us are still served
  // While notifications come, the check never joins again.
  for (int i = 0; i < 4; ++i) {
    program.Copy("more " + std::to_string(i));
    Window().FireTimer(ClipboardWatch::kChainTimer);
  }
  EXPECT_EQ(program.Clipboard.FirstViewer, form.Window->Handle());
  EXPECT_EQ(program.Texts().size(), 7u);
}

TEST_F(RobustnessTest, AFailingHandlerEndsItsMessageOnlyAndTheChainStillHearsIt) {
  auto behind = ViewerBehindUs(program.Start());
  const int heard = behind->DrawNotifications;
  program.Clipboard.FailRead = "out of memory";
  program.Copy("lost");
  EXPECT_EQ(program.Platform.Application.Errors, Texts{"out of memory"});
  EXPECT_EQ(behind->DrawNotifications, heard + 1);
  program.Clipboard.FailRead.reset();
  program.Copy("fine");
  EXPECT_EQ(program.Texts(), Texts{"fine"});
}

TEST_F(RobustnessTest, TrayIconComesBackAndTheAtomIsReleased) {
  TForm1& form = program.Start();
  auto& system = program.Platform.System_;
  system.TrayIcons.clear();  // Explorer restarted
  Window().Deliver(fake::FakeSystem::kTaskbarCreated, 0, 0);
  ASSERT_EQ(system.TrayIcons.size(), 1u);
  form.SetHotKey();  // the options dialog registers it anew
  EXPECT_EQ(system.AtomReferences.size(), 1u);
  EXPECT_EQ(system.AtomReferences.begin()->second, 1);
  program.Stop();
  EXPECT_TRUE(system.AtomReferences.empty());
  EXPECT_TRUE(system.TrayIcons.empty());
}

TEST_F(RobustnessTest, PasteGoesToTheWindowOnTheScreenOrNowhere) {
  program.Start();
  program.Copy("text");
  const auto editor = program.OpenEditor("editor");
  // Above it, a window of another virtual desktop: shown to the system, not on the screen.
  const auto elsewhere = program.OpenEditor("other desktop");
  program.Desktop.Cloaked.push_back(elsewhere);
  program.PanelOf(1).Click();
  ASSERT_EQ(program.Desktop.Keys.size(), 4u);
  EXPECT_EQ(program.Desktop.Keys[1].foreground, editor);

  // The system refuses to hand it the foreground: the keys would land elsewhere.
  program.Desktop.Keys.clear();
  program.Desktop.RefuseForeground.push_back(editor);
  program.PanelOf(1).Click();
  EXPECT_TRUE(program.Desktop.Keys.empty());
}

TEST_F(RobustnessTest, WhatWasCopiedIsWhatIsPasted) {
  Configure(false, true);
  program.Start().Config.SkipDuplicates = true;
  const platform::UnicodeText exact = u"caf\u00e9 \U0001F600 \ud55c";
  program.Clipboard.CopyFromOtherProgram("caf? ?? ?", false, exact);
  ASSERT_EQ(program.Texts(), Texts{"caf? ?? ?"});  // captions, files and the duplicate test: 932
  EXPECT_EQ(program.PanelOf(1).Caption, "caf? ?? ?");
  program.OpenEditor();
  program.PanelOf(1).Click();
  EXPECT_EQ(program.Clipboard.ExactContents, exact);
  EXPECT_EQ(program.Texts().size(), 1u);

  // The next run has only what the file holds.
  program.Stop();
  Program next;
  StartOnDiskOf(next, program);
  next.OpenEditor();
  next.PanelOf(1).Click();
  EXPECT_EQ(next.Clipboard.Contents, "caf? ?? ?");
  EXPECT_TRUE(next.Clipboard.ExactContents.empty());
}

}  // namespace
}  // namespace korvane::test
