// The options dialog's rules that need no window: the key names and the hotkey field, and the
// tab stop numbers.
#include <gtest/gtest.h>

#include "app/Texts.h"
#include "settings/KeyNames.h"
#include "settings/TabStops.h"

namespace korvane {
namespace {

TEST(KeyNames, EveryKeyOfTheTablesAndNoOther) {
  int hotkeys = 0;
  int shortcuts = 0;
  for (std::int32_t key = 0; key < 0x100; ++key) {
    const std::string hot = HotKeyName(key);
    const std::string cut = ShortcutName(key);
    if (!hot.empty()) ++hotkeys;
    if (!cut.empty()) {
      ++shortcuts;
      EXPECT_EQ(cut, hot);
      EXPECT_EQ(ShortcutKeyOf(cut), key) << cut;  // every shortcut reads back
    }
  }
  EXPECT_EQ(hotkeys, 9 + 10 + 26 + 10 + 12);
  EXPECT_EQ(shortcuts, 10 + 26 + 10 + 12);
  const std::pair<std::int32_t, const char*> named[] = {
      {0x21, "Page Up"}, {0x22, "Page Down"}, {0x23, "End"}, {0x24, "Home"}, {0x25, "Left"},
      {0x26, "Up"}, {0x27, "Right"}, {0x28, "Down"}, {0x2D, "Insert"}, {0x30, "0"},
      {0x39, "9"}, {0x41, "A"}, {0x5A, "Z"}, {0x60, "Num0"}, {0x69, "Num9"}, {0x70, "F1"},
      {0x79, "F10"}, {0x7B, "F12"}};
  for (const auto& [key, name] : named) EXPECT_EQ(HotKeyName(key), name);
  for (std::int32_t key : {0x2E, 0x08, 0x20, 0x1B, 0x10, 0x11, 0x12, 0x7C, 0xBA, 0x61 + 0x20}) {
    EXPECT_EQ(HotKeyName(key), "") << key;
  }
  EXPECT_EQ(ShortcutName(0x21), "");  // navigation keys are no shortcut
  EXPECT_EQ(ShortcutKeyOf("F10"), 121);
  EXPECT_EQ(ShortcutKeyOf("Num0"), 96);
  EXPECT_EQ(ShortcutKeyOf(""), 0);
  EXPECT_EQ(ShortcutKeyOf("Page Up"), 0);
}

TEST(HotKeyField, PressesAndReleasesGiveTheCombinationsShown) {
  constexpr std::int32_t kCtrl = 0x11, kShiftKey = 0x10, kAltKey = 0x12, kSpace = 0x20;
  struct Step {
    std::int32_t key;  // 0: a release
    bool shift, ctrl, alt;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    std::string text;
    std::int32_t key, modifier;
  };
  const std::string none = kNoHotKey;
  const Case cases[] = {
      {"Ctrl, then A, then both released",
       {{kCtrl, 0, 1, 0}, {'A', 0, 1, 0}, {0, 0, 1, 0}, {0, 0, 0, 0}}, "Ctrl + A", 65, 17},
      {"A alone", {{'A', 0, 0, 0}}, "Alt + A", 65, 18},
      {"Q alone, released", {{'Q', 0, 0, 0}, {0, 0, 0, 0}}, "Alt + Q", 81, 18},
      {"F5 alone", {{0x74, 0, 0, 0}}, "F5", 116, 0},
      {"F12 alone", {{0x7B, 0, 0, 0}, {0, 0, 0, 0}}, "F12", 123, 0},
      {"Shift+F5", {{0x74, 1, 0, 0}}, "Shift + F5", 116, 16},
      {"Ctrl+Shift+A", {{'A', 1, 1, 0}}, "Shift + A", 65, 16},
      {"Alt+Ctrl+Page Up", {{0x21, 0, 1, 1}}, "Alt + Page Up", 0x21, 18},
      {"Ctrl held alone", {{kCtrl, 0, 1, 0}}, "Ctrl + ", 0, 17},
      {"Ctrl pressed and released", {{kCtrl, 0, 1, 0}, {0, 0, 0, 0}}, none, 0, 0},
      {"Alt pressed and released", {{kAltKey, 0, 0, 1}, {0, 0, 0, 0}}, none, 0, 0},
      {"Shift pressed and released", {{kShiftKey, 1, 0, 0}, {0, 0, 0, 0}}, none, 0, 0},
      {"Space alone", {{kSpace, 0, 0, 0}}, none, 0, 0},
      {"Ctrl+Space", {{kCtrl, 0, 1, 0}, {kSpace, 0, 1, 0}}, "Ctrl + ", 0, 17},
      {"Ctrl+Space, released", {{kCtrl, 0, 1, 0}, {kSpace, 0, 1, 0}, {0, 0, 1, 0}}, none, 0, 0},
  };
  for (const Case& c : cases) {
    HotKeyField field;
    field.Set(0x7B, 17);
    for (const Step& s : c.steps) {
      if (s.key == 0) {
        field.KeyUp();
      } else {
        field.KeyDown(s.key, s.shift, s.ctrl, s.alt);
      }
    }
    EXPECT_EQ(field.Text(), c.text) << c.what;
    EXPECT_EQ(field.Key(), c.key) << c.what;
    EXPECT_EQ(field.Modifier(), c.modifier) << c.what;
  }
  // Stored values as the dialog opens with them.
  HotKeyField field;
  field.Set(0, 0);
  EXPECT_EQ(field.Text(), none);
  field.Set('K', 0);  // never made by the dialog: shown, and saved, with Alt
  EXPECT_EQ(field.Text(), "Alt + K");
  EXPECT_EQ(field.Modifier(), 18);
  field.Set(0x20, 99);
  EXPECT_EQ(field.Text(), none);
}

TEST(TabStops, SplitPackAndRenumber) {
  EXPECT_EQ(SplitTabOrder(1234567), (TabNumbers{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(SplitTabOrder(0), (TabNumbers{}));
  EXPECT_EQ(SplitTabOrder(100002), (TabNumbers{0, 1, 0, 0, 0, 0, 2}));
  EXPECT_EQ(SplitTabOrder(8900001), (TabNumbers{0, 0, 0, 0, 0, 0, 1}));  // 8, 9: no stop
  EXPECT_EQ(SplitTabOrder(-5), (TabNumbers{}));
  EXPECT_EQ(SplitTabOrder(2147483647), (TabNumbers{0, 4, 0, 3, 6, 4, 7}));
  EXPECT_EQ(PackTabOrder({0, 1, 0, 0, 0, 0, 2}), 100002);
  EXPECT_EQ(PackTabOrder({1, 2, 3, 4, 5, 6, 7}), 1234567);

  // Fields: 0 copy, 1 paste, 2 cut, 3 undo, 4 redo, 5 erase-all, 6 memories.
  struct Case {
    std::int32_t from;
    int field;
    std::string typed;
    TabNumbers expected;
  };
  const Case cases[] = {
      {1230000, 2, "1", {2, 3, 1, 0, 0, 0, 0}},  // cut moves earlier
      {1230000, 0, "3", {3, 1, 2, 0, 0, 0, 0}},  // copy moves later
      {1230000, 1, "0", {1, 0, 2, 0, 0, 0, 0}},  // paste leaves
      {1200000, 6, "1", {2, 3, 0, 0, 0, 0, 1}},  // memories enter first
      {1000000, 3, "5", {1, 0, 0, 5, 0, 0, 0}},  // a gap stays
      {7, 4, "7", {0, 0, 0, 0, 7, 0, 0}},        // 7 pushed to 8 leaves the order
      {1234567, 6, "1", {2, 3, 4, 5, 6, 7, 1}},
      {1234567, 0, "0", {0, 1, 2, 3, 4, 5, 6}},
      {1230000, 2, "9", {1, 2, 0, 0, 0, 0, 0}},  // above 7: 0, the item leaves
      {1230000, 2, "39", {1, 2, 0, 0, 0, 0, 0}},
      {1230000, 2, "99999999999999", {1, 2, 0, 0, 0, 0, 0}},
      {1230000, 2, "", {1, 2, 3, 0, 0, 0, 0}},   // emptied: waits for a digit
      {1230000, 2, "x", {1, 2, 3, 0, 0, 0, 0}},
      {1230000, 2, "-1", {1, 2, 3, 0, 0, 0, 0}},
      {1230000, 2, "3", {1, 2, 3, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    TabStopEditor editor;
    editor.Fill(c.from);
    editor.Arm();
    editor.FieldChanged(c.field, c.typed);
    EXPECT_EQ(editor.Numbers(), c.expected) << c.from << " field " << c.field << " = " << c.typed;
  }
  // Not yet armed: the numbers are taken as they come.
  TabStopEditor editor;
  editor.Fill(1230000);
  editor.FieldChanged(2, "1");
  EXPECT_EQ(editor.Numbers(), (TabNumbers{1, 2, 1, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace korvane
