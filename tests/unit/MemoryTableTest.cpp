// The memory table: list operations, their invariants, and the loops over the items.
#include <gtest/gtest.h>

#include "unit/ItemHarness.h"

namespace korvane::test {

::testing::AssertionResult TableIsConsistent(const MemoryTable& table) {
  int reachable = 0;
  MemoryItem* last = nullptr;
  for (MemoryItem* item = table.Head; item != nullptr; item = item->Next) {
    last = item;
    if (++reachable > 10000) return ::testing::AssertionFailure() << "cycle in the list";
  }
  if (reachable != table.Count) {
    return ::testing::AssertionFailure() << "Count " << table.Count << ", reachable " << reachable;
  }
  if (table.Tail != last) return ::testing::AssertionFailure() << "Tail is not the last item";
  if ((table.Head == nullptr) != (table.Count == 0) || (table.Tail == nullptr) != (table.Count == 0)) {
    return ::testing::AssertionFailure() << "Head/Tail do not match an empty table";
  }
  return ::testing::AssertionSuccess();
}

namespace {

class MemoryTableTest : public ::testing::Test, public ItemHarness {
 protected:
  MemoryTable unlocked{owner, false};
  MemoryTable locked{owner, true};
};

TEST_F(MemoryTableTest, AddToEmptyTableWhateverTheLimit) {
  for (int limit : {-1, 0, 1, 5}) {
    MemoryTable table(owner, false);
    table.AddMemory(limit, false, "a");
    EXPECT_EQ(table.Count, 1) << limit;
    EXPECT_EQ(table.Head, table.Tail);
    EXPECT_TRUE(TableIsConsistent(table));
  }
}

TEST_F(MemoryTableTest, FullTableDropsItsOldestAndKeepsCount) {
  unlocked.AddMemory(1, false, "first");
  unlocked.AddMemory(1, false, "second");
  EXPECT_EQ(Texts(unlocked), std::vector<std::string>{"second"});
  EXPECT_TRUE(TableIsConsistent(unlocked));

  MemoryTable three(owner, false);
  for (const char* t : {"a", "b", "c", "d"}) three.AddMemory(3, false, t);
  EXPECT_EQ(Texts(three), (std::vector<std::string>{"b", "c", "d"}));
  EXPECT_TRUE(TableIsConsistent(three));
  // The dropped memory's controls are gone from the window.
  EXPECT_EQ(Window().Panels.size(), 4u);  // "second" and b, c, d
}

TEST_F(MemoryTableTest, NegativeLimitNeverDrops) {
  for (int i = 0; i < 12; ++i) unlocked.AddMemory(-1, false, std::to_string(i));
  EXPECT_EQ(unlocked.Count, 12);
  EXPECT_TRUE(TableIsConsistent(unlocked));
}

TEST_F(MemoryTableTest, OverfullTableIsNotTrimmedByTheExactLimitTest) {
  for (int i = 0; i < 4; ++i) unlocked.AddMemory(-1, false, std::to_string(i));
  unlocked.AddMemory(2, false, "new");
  EXPECT_EQ(unlocked.Count, 5);
}

TEST_F(MemoryTableTest, RemoveKeepsTheListWhole) {
  for (const char* t : {"a", "b", "c"}) unlocked.AddMemory(-1, false, t);
  MemoryItem* a = unlocked.Head;
  MemoryItem* b = a->Next;
  MemoryItem* c = b->Next;

  EXPECT_TRUE(unlocked.Remove(c));  // the Tail: the previous item becomes Tail
  EXPECT_EQ(unlocked.Tail, b);
  EXPECT_TRUE(TableIsConsistent(unlocked));
  EXPECT_FALSE(unlocked.Remove(c));  // not in the table any more: nothing changes
  EXPECT_EQ(unlocked.Count, 2);

  EXPECT_TRUE(unlocked.Remove(a));
  EXPECT_EQ(unlocked.Head, b);
  EXPECT_TRUE(unlocked.Remove(b));  // the only item: the table is empty
  EXPECT_TRUE(TableIsConsistent(unlocked));
  EXPECT_EQ(unlocked.Head, nullptr);

  for (MemoryItem* item : {a, b, c}) locked.PushBack(item);  // owned again
  EXPECT_TRUE(TableIsConsistent(locked));
}

TEST_F(MemoryTableTest, PushFrontAndPushBackOverwriteTheLink) {
  unlocked.AddMemory(-1, false, "x");
  unlocked.AddMemory(-1, false, "y");
  MemoryItem* x = unlocked.Head;
  ASSERT_TRUE(unlocked.Remove(x));  // x->Next still points at y
  locked.PushBack(x);
  EXPECT_EQ(x->Next, nullptr);
  EXPECT_TRUE(TableIsConsistent(locked));

  ASSERT_TRUE(locked.Remove(x));
  unlocked.PushFront(x);
  EXPECT_EQ(Texts(unlocked), (std::vector<std::string>{"x", "y"}));
  EXPECT_TRUE(TableIsConsistent(unlocked));

  MemoryTable empty(owner, false);
  ASSERT_TRUE(unlocked.Remove(x));
  empty.PushFront(x);
  EXPECT_EQ(empty.Tail, x);
  EXPECT_EQ(x->Next, nullptr);
  EXPECT_TRUE(TableIsConsistent(empty));
}

TEST_F(MemoryTableTest, RemoveFirstDestroysTheOldest) {
  for (const char* t : {"a", "b"}) unlocked.AddMemory(-1, false, t);
  unlocked.RemoveFirst();
  EXPECT_EQ(Texts(unlocked), std::vector<std::string>{"b"});
  EXPECT_EQ(Window().Panels.size(), 1u);
  unlocked.RemoveFirst();
  unlocked.RemoveFirst();  // on an empty table: nothing
  EXPECT_TRUE(TableIsConsistent(unlocked));
}

TEST_F(MemoryTableTest, ContainsComparesWholeTextsWithCase) {
  unlocked.AddMemory(-1, false, "Hello");
  EXPECT_TRUE(unlocked.Contains("Hello"));
  EXPECT_FALSE(unlocked.Contains("hello"));
  EXPECT_FALSE(unlocked.Contains("Hell"));
  platform.Clipboard.Contents = "Hello";
  EXPECT_TRUE(unlocked.ContainsClipboardText());
  platform.Clipboard.Contents.reset();
  EXPECT_FALSE(unlocked.ContainsClipboardText());
}

TEST_F(MemoryTableTest, LayOutNumbersAcrossBothTables) {
  // 2 locked and 3 unlocked, 4 per column: numbers 3 and 4 end the first column, 5 starts the
  // second.
  shared.NumberMargin = 8;
  for (const char* t : {"1", "2"}) locked.AddMemory(-1, true, t);
  for (const char* t : {"3", "4", "5"}) unlocked.AddMemory(-1, false, t);
  const int width = 8 + 2 * (8 + 151);
  locked.LayOut(width, 0, false, 4);
  unlocked.LayOut(width, locked.Count, false, 4);
  std::vector<platform::Rect> rects;
  for (MemoryTable* t : {&locked, &unlocked}) {
    for (MemoryItem* item = t->Head; item != nullptr; item = item->Next) rects.push_back(item->GetRect());
  }
  EXPECT_EQ(rects[2].Left, 8);
  EXPECT_EQ(rects[2].Top, 90);
  EXPECT_EQ(rects[3].Top, 115);
  EXPECT_EQ(rects[4].Left, 8 + 159);
  EXPECT_EQ(rects[4].Top, 40);
}

TEST_F(MemoryTableTest, ItemAtCountsThePanelOnly) {
  unlocked.AddMemory(-1, false, "a");
  unlocked.Head->PlaceAt(167, false, 0, 0);  // panel (8, 40)-(138, 60)
  EXPECT_EQ(unlocked.ItemAt(8, 40), unlocked.Head);
  EXPECT_EQ(unlocked.ItemAt(137, 59), unlocked.Head);
  EXPECT_EQ(unlocked.ItemAt(138, 45), nullptr);  // Left + Width
  EXPECT_EQ(unlocked.ItemAt(20, 60), nullptr);   // Top + Height
  EXPECT_EQ(unlocked.ItemAt(145, 45), nullptr);  // on the lock button
}

TEST_F(MemoryTableTest, PasteNthAndPasteFocused) {
  for (const char* t : {"a", "b"}) unlocked.AddMemory(-1, false, t);
  unlocked.PasteNth(0);
  unlocked.PasteNth(3);
  EXPECT_FALSE(platform.Clipboard.Contents);
  EXPECT_FALSE(unlocked.PasteFocused());

  unlocked.PasteNth(2);
  EXPECT_EQ(platform.Clipboard.Contents, "b");

  PanelOf(unlocked.Head).Focus();
  EXPECT_TRUE(unlocked.PasteFocused());
  EXPECT_EQ(platform.Clipboard.Contents, "a");
}

TEST_F(MemoryTableTest, TabOrderRunsOnAcrossTables) {
  for (const char* t : {"a", "b"}) locked.AddMemory(-1, true, t);
  unlocked.AddMemory(-1, false, "c");
  int counter = 3;
  locked.AssignTabOrder(counter);
  unlocked.AssignTabOrder(counter);
  EXPECT_EQ(counter, 6);
  EXPECT_EQ(PanelOf(locked.Head).TabOrder, 3);
  EXPECT_EQ(PanelOf(unlocked.Head).TabOrder, 5);
  unlocked.SetTabStops(false);
  EXPECT_FALSE(PanelOf(unlocked.Head).TabStop);
  EXPECT_TRUE(PanelOf(locked.Head).TabStop);
}

}  // namespace
}  // namespace korvane::test
