// The options command: the dialog filled from the settings, and OK putting every change into
// effect at once; Cancel changing nothing.
#include <gtest/gtest.h>

#include "app/Texts.h"
#include "settings/SettingsFile.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

class OptionsTest : public ::testing::Test {
 protected:
  TForm1& Start(int locked = 0, int unlocked = 0, int limit = 20) {
    std::vector<std::string> texts;
    for (int i = 0; i < locked; ++i) texts.push_back("L" + std::to_string(i));
    PutMemories(program.Files, "デフォルト", texts);
    program.Configure([&](StoredSettings& s) { s.Config.MemoryLimit = limit; });
    TForm1& form = program.Start();
    for (int i = 0; i < unlocked; ++i) program.Copy("U" + std::to_string(i));
    return form;
  }
  // Opens the dialog from the menu; `user` edits it and answers OK (true) or Cancel.
  void Options(std::function<bool(platform::OptionsEditor&)> user) {
    program.Platform.Dialogs.OptionsUser = std::move(user);
    program.Form->PopupMenuClick(kMenuOptionsCommand);
  }
  Program program;
};

TEST_F(OptionsTest, TheDialogShowsTheSettingsAndCancelChangesNothing) {
  TForm1& form = Start(3, 2);
  const Settings before = form.Config;
  const platform::Rect bounds = program.Window().Bounds;
  ASSERT_TRUE(program.Window().TopMost);
  bool topmostWhileOpen = true;
  Options([&](platform::OptionsEditor& e) {
    topmostWhileOpen = program.Window().TopMost;
    platform::OptionValues& v = e.Values();
    EXPECT_EQ(v.MemoryLimit, 20);
    EXPECT_EQ(v.MemoryLimitMinimum, 3);
    EXPECT_EQ(e.HotKeyText(), "Ctrl + F12");
    EXPECT_EQ(e.ShortcutCount(), 9);
    EXPECT_EQ(e.ShortcutLabel(0), Sjis("メモリ1"));
    EXPECT_EQ(e.ShortcutText(8), "9");
    EXPECT_EQ(e.TabNumber(0), 1);
    EXPECT_EQ(e.TabNumber(6), 7);
    EXPECT_TRUE(v.ShowCopyButton && v.AlwaysOnTop);
    EXPECT_FALSE(e.HiddenWidthEnabled());  // auto-hide is off as shipped
    // Everything edited, then cancelled.
    v.MemoryLimit = 3;
    v.ShowCopyButton = false;
    v.AlwaysOnTop = false;
    e.HotKeyDown('Q', false, false, false);
    e.TabFieldChanged(6, "1");
    return false;
  });
  EXPECT_FALSE(topmostWhileOpen);
  EXPECT_TRUE(program.Window().TopMost);  // back in the topmost band
  EXPECT_EQ(form.Config.MemoryLimit, before.MemoryLimit);
  EXPECT_EQ(form.Config.TabOrder, before.TabOrder);
  EXPECT_EQ(form.Config.HotKeyCode, before.HotKeyCode);
  EXPECT_EQ(program.Texts().size(), 5u);
  EXPECT_EQ(program.Window().Bounds, bounds);
  EXPECT_EQ(program.Platform.Dialogs.LastOwner, program.Window().Handle());
}

TEST_F(OptionsTest, OkAppliesEveryChangeAtOnce) {
  TForm1& form = Start(2, 10);
  const int narrow = program.Window().Bounds.Width();
  Options([&](platform::OptionsEditor& e) {
    platform::OptionValues& v = e.Values();
    v.MemoryLimit = 5;
    v.ShowCopyButton = false;
    v.AlwaysOnTop = false;
    v.ShowMemoryNumber = !v.ShowMemoryNumber;
    v.MemoryBackColor = 0x112233;
    e.HotKeyDown('Q', false, false, false);  // Alt + Q
    e.TabFieldChanged(6, "1");               // memories first
    e.SetShortcutCount(2);
    e.ShortcutKeyDown(1, 0x65);  // keypad 5
    return true;
  });
  EXPECT_EQ(form.Config.MemoryLimit, 5);
  EXPECT_EQ(program.Texts(),
            (std::vector<std::string>{"L0", "L1", "U7", "U8", "U9"}));  // the 3 newest stay
  EXPECT_EQ(form.OptionButtons[static_cast<int>(OptionKind::Copy)], nullptr);
  EXPECT_NE(form.OptionButtons[static_cast<int>(OptionKind::Paste)], nullptr);
  EXPECT_FALSE(program.Window().TopMost);
  EXPECT_FALSE(form.PopForwardChecked);
  EXPECT_NE(program.Window().Bounds.Width(), narrow);  // the number margin changed
  EXPECT_EQ(program.PanelOf(3).Color, 0x112233);
  EXPECT_EQ(form.Config.HotKeyCode, 'Q');
  EXPECT_EQ(form.Config.HotKeyModifier, 18);
  EXPECT_EQ(program.Platform.System_.HotKeys.begin()->second,
            (std::pair<std::uint32_t, std::uint32_t>{1, 'Q'}));  // MOD_ALT
  EXPECT_EQ(form.Config.TabOrder, 2345671);
  EXPECT_EQ(form.Config.DirectPasteKeys, (std::vector<std::int16_t>{'1', 0x65}));
}

TEST_F(OptionsTest, OkIsRefusedWhileAShortcutRowIsEmptyAndTheLimitStaysAboveTheLocked) {
  TForm1& form = Start(3, 0, 2);  // stored below the locked count
  Options([&](platform::OptionsEditor& e) {
    EXPECT_EQ(e.Values().MemoryLimit, 3);
    e.SetShortcutCount(11);
    return true;
  });
  EXPECT_EQ(program.Platform.Dialogs.Warnings,
            std::vector<std::string>{kShortcutsIncompleteMessage});
  EXPECT_EQ(form.Config.DirectPasteKeys.size(), 9u);  // nothing applied
  EXPECT_EQ(form.Config.MemoryLimit, 2);
}

TEST_F(OptionsTest, ShortcutGridRules) {
  Start();
  Options([&](platform::OptionsEditor& e) {
    e.SetShortcutCount(2);
    e.ShortcutKeyDown(0, '5');  // Shift+5 on the number row: the digit
    EXPECT_EQ(e.ShortcutText(0), "5");
    e.ShortcutKeyDown(0, 0x26);  // Up only moves the current cell
    EXPECT_EQ(e.ShortcutText(0), "5");
    e.ShortcutKeyDown(0, 0x21);  // Page Up is no shortcut: the row is cleared
    EXPECT_EQ(e.ShortcutText(0), "");
    e.SetShortcutCount(0);
    EXPECT_EQ(e.ShortcutCount(), 1);
    e.SetShortcutCount(99);
    EXPECT_EQ(e.ShortcutCount(), 50);
    EXPECT_EQ(e.ShortcutText(49), "");
    EXPECT_EQ(e.ShortcutLabel(49), Sjis("メモリ50"));
    return false;
  });
}

}  // namespace
}  // namespace korvane::test
