// A memory item: its controls, the click and paste rules, its place, its number and its lock.
#include <gtest/gtest.h>

#include "memory/TargetWindow.h"
#include "unit/ItemHarness.h"

namespace korvane::test {
namespace {

using fake::KeyRecord;
using platform::MouseButton;

class MemoryItemTest : public ::testing::Test, public ItemHarness {
 protected:
  MemoryItem* Add(const std::string& text, bool isLocked = false) {
    MemoryTable& table = isLocked ? locked : unlocked;
    table.AddMemory(-1, isLocked, text);
    table.Tail->PlaceAt(167, false, table.Count - 1, 0);
    return table.Tail;
  }
  // The user worked in an editor, then came to our window.
  fake::WindowHandle EditorBelowUs() {
    fake::WindowHandle editor = platform.Desktop.AddWindow("editor", true);
    platform.Desktop.Activate(editor);
    platform.Desktop.Activate(Window().Handle());
    return editor;
  }
  std::vector<KeyRecord> CtrlVTo(fake::WindowHandle target) {
    return {{0x11, 0, target}, {0x56, 0, target}, {0x56, 2, target}, {0x11, 2, target}};
  }

  MemoryTable unlocked{owner, false};
  MemoryTable locked{owner, true};
};

TEST(MemoryCaption, FirstTwentyFourBytes) {
  EXPECT_EQ(CaptionOf("0123456789"), "0123456789");
  EXPECT_EQ(CaptionOf(std::string(30, 'x')), std::string(24, 'x'));
  EXPECT_EQ(CaptionOf("abc\r\ndef"), "abc\r\ndef");  // the panel shows only the first line
  EXPECT_EQ(CaptionOf(""), "");
}

TEST_F(MemoryItemTest, ControlsAsCreated) {
  MemoryItem* item = Add(std::string(30, 'q'));
  fake::FakePanel& panel = PanelOf(item);
  EXPECT_EQ(panel.Caption, std::string(24, 'q'));
  EXPECT_EQ(panel.Bounds.Width(), 130);
  EXPECT_EQ(panel.Bounds.Height(), 20);
  EXPECT_TRUE(panel.Raised());
  EXPECT_EQ(panel.Color, 0x111111);
  EXPECT_EQ(panel.FontColor, 0x333333);
  EXPECT_EQ(panel.Hint, "0");
  EXPECT_TRUE(panel.TabStop);
  EXPECT_FALSE(LockOf(item).IsDown);
  EXPECT_EQ(LockOf(item).Bounds.Width(), 20);

  MemoryItem* lockedItem = Add("l", true);
  EXPECT_TRUE(LockOf(lockedItem).IsDown);
  EXPECT_EQ(PanelOf(lockedItem).Color, 0x222222);
}

TEST_F(MemoryItemTest, HiddenUntilPlaced) {
  unlocked.AddMemory(-1, false, "x");
  EXPECT_FALSE(PanelOf(unlocked.Head).Visible);
  EXPECT_FALSE(LockOf(unlocked.Head).Visible);
  unlocked.Head->PlaceAt(167, false, 0, 0);
  EXPECT_TRUE(PanelOf(unlocked.Head).Visible);
  EXPECT_TRUE(LockOf(unlocked.Head).Visible);
}

TEST_F(MemoryItemTest, PlaceAtInBothGrowthDirections) {
  MemoryItem* item = Add("x");
  shared.NumberMargin = 20;
  item->PlaceAt(362, false, 2, 1);
  EXPECT_EQ(item->GetRect(), platform::BoundsOf(20 + 171, 90, 130, 20));
  EXPECT_EQ(LockOf(item).Bounds, platform::BoundsOf(20 + 171 + 131, 90, 20, 20));

  // Growing left, column 0 is the rightmost: its lock button ends M pixels before the edge.
  item->PlaceAt(362, true, 0, 0);
  EXPECT_EQ(item->GetRect().Left, 362 - 171);
  EXPECT_EQ(LockOf(item).Bounds.Left, 362 - 20 - 20);
  item->PlaceAt(362, true, 0, 1);
  EXPECT_EQ(item->GetRect().Left, 362 - 2 * 171);
  EXPECT_EQ(LockOf(item).Bounds.Left, item->GetRect().Left + 131);
}

TEST_F(MemoryItemTest, ClickPastesIntoThePreviousWindow) {
  MemoryItem* item = Add("hello");
  fake::WindowHandle editor = EditorBelowUs();
  PanelOf(item).Click(5, 5);
  EXPECT_EQ(platform.Clipboard.Contents, "hello");
  EXPECT_EQ(platform.Desktop.Foreground, editor);
  EXPECT_EQ(platform.Desktop.Keys, CtrlVTo(editor));
  EXPECT_TRUE(PanelOf(item).Raised());
}

TEST_F(MemoryItemTest, PasteFindsTheUserWindowEvenWhenOursWasNotOnTop) {
  // Without a window manager a click does not raise our window: the walk must still start
  // from the top of the order.
  fake::WindowHandle editor = platform.Desktop.AddWindow("editor", true);
  platform.Desktop.AddWindow("hidden tool", false);
  platform.Desktop.Foreground = editor;
  Add("t")->Paste();
  EXPECT_EQ(platform.Desktop.Keys, CtrlVTo(editor));
  EXPECT_EQ(platform.Desktop.FocusWaits, 1);
}

TEST_F(MemoryItemTest, PasteWithNoVisibleWindowStillSetsClipboardAndKeys) {
  for (fake::WindowHandle w : std::vector<fake::WindowHandle>(platform.Desktop.Order)) {
    if (w != platform.Application.Handle() && w != Window().Handle()) platform.Desktop.RemoveWindow(w);
  }
  MemoryItem* item = Add("alone");
  item->Paste();
  EXPECT_EQ(platform.Clipboard.Contents, "alone");
  EXPECT_EQ(platform.Desktop.Keys.size(), 4u);
}

TEST_F(MemoryItemTest, ReleaseOffThePanelOrOnItsFirstPixelsDoesNotPaste) {
  MemoryItem* item = Add("x");
  EditorBelowUs();
  fake::FakePanel& panel = PanelOf(item);
  panel.Press(10, 10);
  EXPECT_TRUE(panel.Pressed());
  panel.Release(200, 10);  // moved off, released
  EXPECT_TRUE(panel.Raised());
  panel.Click(0, 10);
  panel.Click(10, 0);
  panel.Click(130, 10);
  panel.Click(10, 20);
  EXPECT_FALSE(platform.Clipboard.Contents);
  panel.Click(129, 19);
  EXPECT_EQ(platform.Clipboard.Contents, "x");
}

TEST_F(MemoryItemTest, OtherMouseButtonsAreIgnored) {
  MemoryItem* item = Add("x");
  PanelOf(item).Press(10, 10, MouseButton::Right);
  EXPECT_TRUE(PanelOf(item).Raised());
  PanelOf(item).Release(10, 10, MouseButton::Right);
  EXPECT_FALSE(platform.Clipboard.Contents);
}

TEST_F(MemoryItemTest, DoubleClickPasteMode) {
  MemoryItem* item = Add("x");
  fake::WindowHandle editor = EditorBelowUs();
  shared.DoubleClickPaste = true;
  fake::FakePanel& panel = PanelOf(item);

  panel.Press(10, 10);
  EXPECT_TRUE(panel.Pressed());
  panel.Release(10, 10);
  EXPECT_TRUE(panel.Raised());
  EXPECT_TRUE(platform.Desktop.Keys.empty());

  panel.DoubleClick();
  EXPECT_EQ(platform.Desktop.Keys.size(), 4u);  // once, although two releases happened
  EXPECT_EQ(platform.Desktop.Keys.back().foreground, editor);
  EXPECT_TRUE(panel.Raised());
}

TEST_F(MemoryItemTest, DoubleClickWithSingleClickModePastesTwice) {
  MemoryItem* item = Add("x");
  EditorBelowUs();
  PanelOf(item).DoubleClick();
  EXPECT_EQ(platform.Desktop.Keys.size(), 8u);
}

TEST_F(MemoryItemTest, FocusMessagesNameTheItem) {
  MemoryItem* a = Add("a");
  MemoryItem* b = Add("b");
  PanelOf(a).Focus();
  PanelOf(b).Focus();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].message, UM_MEMORYENTER);
  EXPECT_EQ(sent[0].item, a);
  EXPECT_EQ(sent[1].message, UM_MEMORYLEAVE);
  EXPECT_EQ(sent[1].item, a);
  EXPECT_EQ(sent[2].item, b);
  EXPECT_EQ(shared.FocusedItem, b);
}

TEST_F(MemoryItemTest, DestroyedItemLeavesNoSharedPointerBehind) {
  MemoryItem* a = Add("a");
  PanelOf(a).Focus();
  shared.LockChangedItem = a;
  shared.LeftItem = a;
  unlocked.RemoveFirst();
  EXPECT_EQ(shared.FocusedItem, nullptr);
  EXPECT_EQ(shared.LockChangedItem, nullptr);
  EXPECT_EQ(shared.LeftItem, nullptr);
  EXPECT_EQ(Window().FocusedPanel, nullptr);
}

TEST_F(MemoryItemTest, LockToggleRecoloursAndTellsTheWindow) {
  MemoryItem* item = Add("x");
  LockOf(item).Click();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, UM_LOCKCHANGED);
  EXPECT_EQ(sent[0].wParam, 0u);  // now locked
  EXPECT_EQ(sent[0].item, item);
  EXPECT_EQ(PanelOf(item).Color, 0x222222);
  LockOf(item).Click();
  EXPECT_EQ(sent[1].wParam, 1u);  // now unlocked
  EXPECT_EQ(PanelOf(item).Color, 0x111111);
}

TEST_F(MemoryItemTest, UpdateColorFollowsTheSettings) {
  MemoryItem* item = Add("x", true);
  shared.MemoryLockColor = 0x0000FF;
  shared.MemoryFontColor = 0x00FF00;
  locked.UpdateColors();
  EXPECT_EQ(PanelOf(item).Color, 0x0000FF);
  EXPECT_EQ(PanelOf(item).FontColor, 0x00FF00);
}

TEST_F(MemoryItemTest, NumberBoxesAreNineOrThirteenWide) {
  MemoryItem* item = Add("x");
  shared.NumberMargin = 20;
  item->PlaceAt(191, false, 0, 0);  // panel at (20, 40)
  std::vector<fake::CanvasOp> ops;
  fake::FakeCanvas canvas(ops);
  canvas.SetBrushColor(0x123456);
  item->DrawNumber(9, canvas);
  item->DrawNumber(10, canvas);
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[0].kind, "rect");
  EXPECT_EQ((std::vector<int>{ops[0].a, ops[0].b, ops[0].c, ops[0].d}),
            (std::vector<int>{20 - 11, 43, 18, 56}));
  EXPECT_EQ(ops[0].brush, 0xFFFFFF);
  EXPECT_EQ(ops[1].text, "9");
  EXPECT_EQ(ops[1].a, 11);
  EXPECT_EQ(ops[1].b, 44);
  EXPECT_EQ(ops[2].a, 20 - 15);
  EXPECT_EQ(ops[3].text, "10");
  EXPECT_EQ(ops[3].a, 7);
  EXPECT_EQ(canvas.BrushColor(), 0x123456);  // restored
}

TEST_F(MemoryItemTest, UnresponsiveTargetStillGetsTheKeysAfterTheBoundedWait) {
  MemoryItem* item = Add("x");
  fake::WindowHandle editor = EditorBelowUs();
  platform.Desktop.Unresponsive.push_back(editor);
  item->Paste();
  EXPECT_EQ(platform.Desktop.Keys, CtrlVTo(editor));
}

}  // namespace
}  // namespace korvane::test
