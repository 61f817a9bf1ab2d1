// The ways to the window: the tray icon, the popup menu and the activation hotkey.
#include <gtest/gtest.h>

#include <set>

#include "app/Messages.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

constexpr std::uint32_t kMouseMove = 0x0200;
constexpr std::uint32_t kLButtonDblClk = 0x0203;
constexpr std::uint32_t kRButtonUp = 0x0205;

class ShellTest : public ::testing::Test {
 protected:
  platform::LResult Tray(std::uint32_t mouseMessage) {
    return program.Window().Deliver(UM_TRAYICON, 100, mouseMessage);
  }
  // Opens the menu from the tray icon and chooses the item that reports `command`.
  void Choose(std::uint32_t command) {
    program.Window().MenuChoice = command;
    Tray(wm::RButtonDown);
  }
  static std::vector<std::string> Captions(const std::vector<platform::MenuItem>& items) {
    std::vector<std::string> captions;
    for (const auto& item : items) captions.push_back(item.caption);
    return captions;
  }
  Program program;
};

TEST_F(ShellTest, RightPressOnTheTrayIconOpensTheMenuAtTheCursor) {
  program.Start();
  const auto editor = program.OpenEditor();
  program.Desktop.Cursor = {1200, 790};
  EXPECT_EQ(Tray(wm::RButtonDown), 1);
  EXPECT_EQ(program.Window().MenusOpened, 1);
  EXPECT_EQ(program.Window().LastMenuAt.X, 1200);
  EXPECT_EQ(program.Window().LastMenuAt.Y, 790);
  // Brought forward first, so that the menu closes when the user clicks elsewhere.
  EXPECT_EQ(program.Desktop.Foreground, program.Window().Handle());
  EXPECT_NE(program.Desktop.Foreground, editor);

  // Only the right press opens it; the rest of the icon's mouse traffic does nothing.
  for (std::uint32_t other : {kMouseMove, kRButtonUp, kLButtonDblClk}) {
    EXPECT_EQ(Tray(other), 1);
  }
  EXPECT_EQ(program.Window().MenusOpened, 1);
}

TEST_F(ShellTest, MenuHasItsThirteenItemsInOrderWithTheirCheckMarks) {
  program.Configure([](StoredSettings& s) {
    s.Config.AlwaysOnTop = true;
    s.Config.WatchClipboard = false;
    s.WindowHidden = true;
  });
  program.Files.PutFile("Data\\GroupIndex.dat",
                        Sjis("3\r\nデフォルト\r\n仕事\r\nA&B\r\n"));
  program.Start();
  Tray(wm::RButtonDown);
  const auto& menu = program.Window().LastMenu;
  EXPECT_EQ(Captions(menu),
            (std::vector<std::string>{
                Sjis("メモリグループ"), Sjis("Lockメモリのグループ化"), Sjis("グループ項目の編集"),
                "-", Sjis("ウインドウ非表示"), Sjis("クリップボードの監視"), Sjis("常に前面に表示"),
                "-", Sjis("設定"), "-", Sjis("ヘルプ"), "-", Sjis("プログラムの終了")}));
  std::vector<bool> checks;
  for (const auto& item : menu) checks.push_back(item.checked);
  EXPECT_EQ(checks, (std::vector<bool>{false, false, false, false, true, false, true, false, false,
                                       false, false, false, false}));
  // The groups are one radio group; the current one is checked.
  const auto& groups = menu[0].submenu;
  EXPECT_EQ(Captions(groups), (std::vector<std::string>{Sjis("デフォルト"), Sjis("仕事"), "A&B"}));
  for (const auto& g : groups) EXPECT_TRUE(g.radio);
  EXPECT_TRUE(groups[0].checked);
  EXPECT_FALSE(groups[1].checked || groups[2].checked);
  // Every command is distinct; separators and the submenu's parent report none.
  std::set<std::uint32_t> commands;
  for (const auto& item : menu) {
    if (item.IsSeparator() || !item.submenu.empty()) {
      EXPECT_EQ(item.command, 0u);
    } else {
      EXPECT_TRUE(commands.insert(item.command).second);
    }
  }
  for (const auto& g : groups) EXPECT_TRUE(commands.insert(g.command).second);
}

TEST_F(ShellTest, LeftPressShowsTheWindowAndUnhidesOnlyWithTheSetting) {
  for (bool unhides : {true, false}) {
    SCOPED_TRACE(unhides);
    Program p;
    p.Configure([&](StoredSettings& s) {
      s.WindowHidden = true;
      s.Config.TrayClickUnhides = unhides;
    });
    TForm1& form = p.Start();
    p.OpenEditor();
    p.Desktop.ShowWindow(p.Window().Handle(), false);
    p.Window().Visible = false;
    EXPECT_EQ(p.Window().Deliver(UM_TRAYICON, 100, wm::LButtonDown), 1);
    EXPECT_TRUE(p.Window().Visible);
    EXPECT_EQ(p.Desktop.Foreground, p.Window().Handle());
    EXPECT_EQ(form.PopWindowVisibleChecked, !unhides);
    EXPECT_EQ(p.Window().MenusOpened, 0);
  }
}

TEST_F(ShellTest, AlwaysOnTopTwiceReturnsToTheNormalBand) {
  TForm1& form = program.Start();
  ASSERT_TRUE(program.Window().TopMost);  // shipped setting
  Choose(kMenuAlwaysOnTopCommand);
  EXPECT_FALSE(program.Window().TopMost);
  EXPECT_FALSE(form.Config.AlwaysOnTop);
  EXPECT_FALSE(form.PopForwardChecked);
  Choose(kMenuAlwaysOnTopCommand);
  EXPECT_TRUE(program.Window().TopMost);
  EXPECT_TRUE(form.PopForwardChecked);
  Choose(kMenuAlwaysOnTopCommand);
  program.Stop();
  // The band is a setting: it survives the restart.
  EXPECT_FALSE(program.Start().Config.AlwaysOnTop);
  EXPECT_FALSE(program.Window().TopMost);
}

TEST_F(ShellTest, WatchingOffFromTheMenuStopsCaptureButNotTheChain) {
  // Joined before Korvane, so it follows Korvane: it hears only what Korvane passes on.
  fake::OtherViewer behind(program.Desktop, program.Clipboard);
  TForm1& form = program.Start();
  Choose(kMenuWatchClipboardCommand);
  EXPECT_FALSE(form.Config.WatchClipboard);
  EXPECT_FALSE(form.PopCheckClipChecked);
  const int heard = behind.DrawNotifications;
  program.Copy("unseen");
  EXPECT_TRUE(program.Texts().empty());
  EXPECT_EQ(behind.DrawNotifications, heard + 1);
  Choose(kMenuWatchClipboardCommand);
  program.Copy("seen");
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"seen"});
}

TEST_F(ShellTest, HiddenItemOnlyTogglesItsMark) {
  TForm1& form = program.Start();
  Choose(kMenuWindowHiddenCommand);
  EXPECT_TRUE(form.PopWindowVisibleChecked);
  EXPECT_TRUE(program.Window().Visible);  // acts at the next (de)activation, not now
  Choose(kMenuWindowHiddenCommand);
  EXPECT_FALSE(form.PopWindowVisibleChecked);
}

TEST_F(ShellTest, ExitClosesTheWindowAndADismissedMenuChangesNothing) {
  TForm1& form = program.Start();
  Choose(kMenuNone);
  for (std::uint32_t inert : {kMenuMakeGroupCommand, kMenuGroupEditCommand, kMenuOptionsCommand,
                              kMenuFirstGroup}) {
    Choose(inert);
  }
  EXPECT_FALSE(program.Window().Closed);
  EXPECT_TRUE(form.Config.WatchClipboard);
  EXPECT_TRUE(form.Config.AlwaysOnTop);
  Choose(kMenuExitCommand);
  EXPECT_TRUE(program.Window().Closed);
}

TEST_F(ShellTest, HelpOpensAtTheFirstContext) {
  program.Files.PutFile("Help\\Korvane.hlp",
                        "#10 Options\r\nten\r\n#1 Korvane\r\none\r\n");
  program.Start();
  Choose(kMenuHelpCommand);
  const auto& shows = program.Platform.HelpWindow.Shows;
  ASSERT_EQ(shows.size(), 1u);
  EXPECT_EQ(shows[0].Topics.at(shows[0].Current).Context, 1);
}

TEST_F(ShellTest, ContextMenuOpensAtTheClickOrAtTheWindowForTheMenuKey) {
  program.Start();
  auto& window = program.Window();
  // Screen coordinates are signed: a second monitor left of the first gives negative ones.
  const auto packed = static_cast<platform::LParam>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(-5)) |
                                           (static_cast<std::uint32_t>(300) << 16)));
  window.Deliver(wm::ContextMenu, window.Handle(), packed);
  EXPECT_EQ(window.LastMenuAt.X, -5);
  EXPECT_EQ(window.LastMenuAt.Y, 300);
  // The menu key: -1, whether it comes sign-extended or as 32 bits.
  for (platform::LParam key : {platform::LParam{-1}, platform::LParam{0xFFFFFFFF}}) {
    window.LastMenuAt = {};
    window.Deliver(wm::ContextMenu, window.Handle(), key);
    EXPECT_EQ(window.LastMenuAt.X, window.Bounds.Left);
    EXPECT_EQ(window.LastMenuAt.Y, window.Bounds.Top);
  }
  EXPECT_EQ(window.MenusOpened, 3);
}

TEST_F(ShellTest, AnyHotKeyShowsTheWindowAndLeavesHidingAsItIs) {
  program.Configure([](StoredSettings& s) { s.WindowHidden = true; });
  TForm1& form = program.Start();
  program.OpenEditor();
  program.Window().Visible = false;
  program.Window().Deliver(wm::HotKey, 12345, 0);  // not our atom: shown all the same
  EXPECT_TRUE(program.Window().Visible);
  EXPECT_EQ(program.Desktop.Foreground, program.Window().Handle());
  EXPECT_TRUE(form.PopWindowVisibleChecked);
}

TEST_F(ShellTest, HotKeyModifiersAndATakenCombination) {
  EXPECT_EQ(HotKeyModifierFlags(16), 4u);
  EXPECT_EQ(HotKeyModifierFlags(17), 2u);
  EXPECT_EQ(HotKeyModifierFlags(18), 1u);
  for (std::int16_t other : {0, 15, 19, 91, -1}) EXPECT_EQ(HotKeyModifierFlags(other), 0u);

  // Another program holds Ctrl+F12: we start without a hotkey and without a word.
  program.Platform.OwnMachine.HotKeysTaken.insert({2u, 0x7Bu});
  program.Start();
  EXPECT_TRUE(program.Platform.System_.HotKeys.empty());
  EXPECT_TRUE(program.Platform.Application.Errors.empty());

  // A new combination replaces the old one at once.
  TForm1& form = *program.Form;
  form.Config.HotKeyModifier = 18;
  form.Config.HotKeyCode = 'K';
  form.SetHotKey();
  form.Config.HotKeyModifier = 0;
  form.Config.HotKeyCode = 0x78;
  form.SetHotKey();
  ASSERT_EQ(program.Platform.System_.HotKeys.size(), 1u);
  EXPECT_EQ(program.Platform.System_.HotKeys.begin()->second, std::make_pair(0u, 0x78u));
  EXPECT_EQ(program.Platform.OwnMachine.HotKeysTaken.count({1u, 'K'}), 0u);
}

TEST_F(ShellTest, MessagesOutsideTheMapGetTheDefaultHandling) {
  program.Start();
  auto& window = program.Window();
  for (std::uint32_t listed : {wm::LButtonDown, wm::DrawClipboard, wm::ChangeCBChain, wm::HotKey,
                               UM_TRAYICON}) {
    window.Deliver(listed, 0, 0);
    EXPECT_FALSE(window.LastDefaulted) << listed;
  }
  // WM_SIZE, WM_KEYDOWN, WM_COMMAND, WM_TIMER of a timer not ours, WM_RBUTTONDOWN, a
  // neighbour of our own numbers.
  for (std::uint32_t other : {0x0005u, 0x0100u, 0x0111u, 0x0113u, 0x0204u, 0x0402u, 0x8196u}) {
    window.Deliver(other, 0, 0);
    EXPECT_TRUE(window.LastDefaulted) << other;
  }
}

TEST_F(ShellTest, APressOnTheWindowsOwnAreaStartsTheSystemsDrag) {
  program.Start();
  auto& window = program.Window();
  std::vector<platform::WParam> commands;
  program.Desktop.SetHandler(window.Handle(), [&](std::uint32_t m, platform::WParam w, platform::LParam l) {
    if (m == 0x0112) commands.push_back(w);
    return window.Deliver(m, w, l);
  });
  EXPECT_EQ(window.Deliver(wm::LButtonDown, 1, 0), 1);
  EXPECT_EQ(commands, std::vector<platform::WParam>{0xF012});
}

TEST_F(ShellTest, ADraggedWindowStaysOnTheDesktopTouchingTheEdge) {
  program.Start();
  auto& window = program.Window();  // the screen is 1280x800
  auto moving = [&](platform::Rect r) {
    EXPECT_EQ(window.Deliver(wm::Moving, 0, reinterpret_cast<platform::LParam>(&r)), 1);
    return r;
  };
  EXPECT_EQ(moving({-30, 100, 161, 145}), (platform::Rect{0, 100, 191, 145}));
  EXPECT_EQ(moving({1200, -5, 1391, 40}), (platform::Rect{1089, 0, 1280, 45}));
  EXPECT_EQ(moving({500, 790, 691, 835}), (platform::Rect{500, 755, 691, 800}));
  EXPECT_EQ(moving({10, 10, 201, 55}), (platform::Rect{10, 10, 201, 55}));  // inside: as is
  // Wider than the screen: the right edge wins, only the position changes.
  EXPECT_EQ(moving({-100, 0, 1400, 45}), (platform::Rect{-220, 0, 1280, 45}));
  window.Deliver(wm::Moving, 0, 0);  // no rectangle: left to the default handling
  EXPECT_TRUE(window.LastDefaulted);
}

}  // namespace
}  // namespace korvane::test
