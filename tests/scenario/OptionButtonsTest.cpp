// The option buttons: which exist, where they stand, what they do, and the tab order.
#include <gtest/gtest.h>

#include "app/Texts.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

class OptionButtonsTest : public ::testing::Test {
 protected:
  fake::FakeImageButton* Button(OptionKind kind) {
    auto& slot = program.Form->OptionButtons[static_cast<int>(kind)];
    return slot ? static_cast<fake::FakeImageButton*>(slot->Button.get()) : nullptr;
  }
  std::vector<int> Lefts() {
    std::vector<int> lefts;
    for (OptionKind k : {OptionKind::Copy, OptionKind::Paste, OptionKind::Cut, OptionKind::Undo,
                         OptionKind::Redo, OptionKind::AllErase}) {
      lefts.push_back(Button(k) ? Button(k)->Bounds.Left : -1);
    }
    return lefts;
  }
  Program program;
};

TEST_F(OptionButtonsTest, AllSixStandRightAlignedAboveTheFirstColumn) {
  program.Start();
  EXPECT_EQ(Lefts(), (std::vector<int>{15, 40, 65, 90, 115, 140}));
  for (auto* b : program.Window().ImageButtons) {
    EXPECT_EQ(b->Bounds.Top, 5);
    EXPECT_EQ(b->Bounds.Width(), 25);
    EXPECT_TRUE(b->Visible);
    ASSERT_NE(b->Glyph, nullptr);
    EXPECT_EQ(b->Glyph->Width(), 18);
  }
  EXPECT_EQ(Button(OptionKind::Copy)->Hint, kHintCopy);
  EXPECT_EQ(Button(OptionKind::AllErase)->Hint, kHintAllErase);
  // Made erase-all first: its picture is the first of the list.
  EXPECT_EQ(Button(OptionKind::AllErase)->Glyph, program.Form->OptionBitmaps[0].get());
  EXPECT_EQ(Button(OptionKind::Copy)->Glyph, program.Form->OptionBitmaps[5].get());
}

TEST_F(OptionButtonsTest, GrowingLeftTheRowEndsAtTheFirstColumnsRightEdge) {
  program.Configure([](StoredSettings& s) {
    s.Config.GrowLeft = true;
    s.Left = 1000;
  });
  PutMemories(program.Files, "デフォルト", std::vector<std::string>(12, "m"));  // two columns
  TForm1& form = program.Start();
  form.Config.SkipDuplicates = false;
  const int w = 20 + 2 * 171;
  EXPECT_EQ(program.Window().Bounds.Width(), w);
  EXPECT_EQ(Lefts(), (std::vector<int>{w - 20 - 150, w - 20 - 125, w - 20 - 100, w - 20 - 75,
                                       w - 20 - 50, w - 20 - 25}));
  EXPECT_EQ(program.PanelOf(1).Bounds.Left, w - 171);  // the first column is the rightmost
}

TEST_F(OptionButtonsTest, OnlyUndoAndEraseAll) {
  program.Configure([](StoredSettings& s) {
    s.Config.ShowCopyButton = s.Config.ShowPasteButton = s.Config.ShowCutButton = false;
    s.Config.ShowRedoButton = false;
  });
  program.Start();
  EXPECT_EQ(Lefts(), (std::vector<int>{-1, -1, -1, 115, -1, 140}));
  ASSERT_EQ(program.Form->OptionBitmaps.size(), 2u);
  EXPECT_EQ(Button(OptionKind::AllErase)->Glyph, program.Form->OptionBitmaps[0].get());
  EXPECT_EQ(Button(OptionKind::Undo)->Glyph, program.Form->OptionBitmaps[1].get());
}

TEST_F(OptionButtonsTest, NoneShownMeansNoButtonAndNoPicture) {
  program.Configure([](StoredSettings& s) {
    Settings& c = s.Config;
    c.ShowCopyButton = c.ShowPasteButton = c.ShowCutButton = false;
    c.ShowUndoButton = c.ShowRedoButton = c.ShowAllEraseButton = false;
  });
  program.Start();
  EXPECT_TRUE(program.Window().ImageButtons.empty());
  EXPECT_TRUE(program.Form->OptionBitmaps.empty());
}

TEST_F(OptionButtonsTest, ShortcutButtonsSendTheirKeysToThePreviousWindow) {
  program.Start();
  const std::pair<OptionKind, std::uint8_t> cases[] = {
      {OptionKind::Copy, 0x43}, {OptionKind::Paste, 0x56}, {OptionKind::Cut, 0x58},
      {OptionKind::Undo, 0x5A}, {OptionKind::Redo, 0x59}};
  for (auto [kind, key] : cases) {
    fake::WindowHandle editor = program.OpenEditor();
    program.Desktop.Activate(program.Window().Handle());
    program.Desktop.Keys.clear();
    Button(kind)->Click();
    const std::vector<fake::KeyRecord> expected = {
        {0x11, 0, editor}, {key, 0, editor}, {key, 2, editor}, {0x11, 2, editor}};
    EXPECT_EQ(program.Desktop.Keys, expected);
  }
}

TEST_F(OptionButtonsTest, EraseAllRemovesOnlyTheUnlockedMemories) {
  PutMemories(program.Files, "デフォルト", {"L"});
  program.Start();
  program.Copy("u1");
  program.Copy("u2");
  Button(OptionKind::AllErase)->Click();
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"L"});
  EXPECT_EQ(program.Window().Bounds.Height(), 25 + 45);
  Button(OptionKind::AllErase)->Click();  // with only locked memories the size stays
  EXPECT_EQ(program.Window().Bounds.Height(), 25 + 45);
}

TEST_F(OptionButtonsTest, PicturesThatDoNotLoadAreListedInOneBoxAndTheirButtonsStayPlain) {
  const std::string data = "Data\\";
  program.Files.RemoveFile(data + "Cut.bmp");
  program.Files.PutFile(data + "Undo.bmp", program.Files.Bytes(data + "Undo.bmp")->substr(0, 40));
  program.Start();
  ASSERT_EQ(program.Platform.Application.Errors.size(), 1u);
  // In the order the buttons are made: undo before cut.
  EXPECT_EQ(program.Platform.Application.Errors[0],
            data + "Undo.bmp is not a valid bitmap\n" + data + "Cut.bmp is not a valid bitmap");
  ASSERT_EQ(Lefts(), (std::vector<int>{15, 40, 65, 90, 115, 140}));
  EXPECT_EQ(Button(OptionKind::Cut)->Glyph, nullptr);
  EXPECT_EQ(Button(OptionKind::Undo)->Glyph, nullptr);
  EXPECT_TRUE(Button(OptionKind::Cut)->Visible);
  EXPECT_EQ(program.Form->OptionBitmaps.size(), 4u);
  EXPECT_EQ(Button(OptionKind::Copy)->Glyph, program.Form->OptionBitmaps[3].get());

  const fake::WindowHandle editor = program.OpenEditor();
  program.Desktop.Activate(program.Window().Handle());
  program.Desktop.Keys.clear();
  Button(OptionKind::Cut)->Click();
  const std::vector<fake::KeyRecord> expected = {
      {0x11, 0, editor}, {0x58, 0, editor}, {0x58, 2, editor}, {0x11, 2, editor}};
  EXPECT_EQ(program.Desktop.Keys, expected);  // the plain button still sends Ctrl+X
}

struct TabCase {
  std::int32_t tabOrder;
  // Tab stop and order of copy, paste, cut, undo, redo, erase-all; then of the first memory.
  std::vector<std::pair<bool, int>> expected;
};

class TabOrderTest : public OptionButtonsTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabOrderTest, DigitsGiveTheFocusOrder) {
  const TabCase& c = GetParam();
  program.Configure([&](StoredSettings& s) { s.Config.TabOrder = c.tabOrder; });
  PutMemories(program.Files, "デフォルト", {"a", "b"});
  program.Start();
  std::vector<std::pair<bool, int>> got;
  for (OptionKind k : {OptionKind::Copy, OptionKind::Paste, OptionKind::Cut, OptionKind::Undo,
                       OptionKind::Redo, OptionKind::AllErase}) {
    got.emplace_back(Button(k)->TabStop, Button(k)->TabStop ? Button(k)->TabOrder : -1);
  }
  got.emplace_back(program.PanelOf(1).TabStop, program.PanelOf(1).TabStop ? program.PanelOf(1).TabOrder : -1);
  EXPECT_EQ(got, c.expected) << c.tabOrder;
  // The memories are one group: tab stops together, numbered one after the other.
  EXPECT_EQ(program.PanelOf(2).TabStop, program.PanelOf(1).TabStop);
  if (program.PanelOf(1).TabStop) {
    EXPECT_EQ(program.PanelOf(2).TabOrder, program.PanelOf(1).TabOrder + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Digits, TabOrderTest,
    ::testing::Values(
        TabCase{1234567, {{true, 0}, {true, 1}, {true, 2}, {true, 3}, {true, 4}, {true, 5}, {true, 6}}},
        TabCase{7654321, {{true, 7}, {true, 6}, {true, 5}, {true, 4}, {true, 3}, {true, 2}, {true, 0}}},
        TabCase{1, {{false, -1}, {false, -1}, {false, -1}, {false, -1}, {false, -1}, {false, -1}, {true, 0}}},
        TabCase{0, {{false, -1}, {false, -1}, {false, -1}, {false, -1}, {false, -1}, {false, -1}, {false, -1}}},
        // Digits 2 and 5 only: 2 gets number 0, 5 the next.
        TabCase{2000005, {{true, 0}, {false, -1}, {false, -1}, {false, -1}, {false, -1}, {false, -1}, {true, 1}}},
        // A duplicate digit: the later group takes the place; the earlier keeps its stop as it was.
        TabCase{1100000, {{true, -1}, {true, 0}, {false, -1}, {false, -1}, {false, -1}, {false, -1}, {false, -1}}},
        // Digits with no place (8, 9) give no tab stop.
        TabCase{8000291, {{false, -1}, {false, -1}, {false, -1}, {false, -1}, {true, 2}, {false, -1}, {true, 0}}}));

}  // namespace
}  // namespace korvane::test
