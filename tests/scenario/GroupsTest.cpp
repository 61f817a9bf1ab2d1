// Memory groups: switching, making a group of the memories shown, ordering and deleting.
#include <gtest/gtest.h>

#include "app/Texts.h"
#include "platform/TextMode.h"
#include "settings/SettingsFile.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

using Groups = std::vector<std::pair<std::string, std::vector<std::string>>>;

// The index lists the groups (UTF-8 names); each group's memories as given.
TForm1& StartWith(Program& program, const Groups& groups, int limit) {
  std::string index = std::to_string(groups.size()) + "\n";
  for (const auto& [name, texts] : groups) {
    index += Sjis(name) + "\n";
    if (!texts.empty()) PutMemories(program.Files, name, texts);
  }
  program.Files.PutFile("Data\\GroupIndex.dat", platform::ToTextModeBytes(index));
  program.Configure([&](StoredSettings& s) { s.Config.MemoryLimit = limit; });
  return program.Start();
}

class GroupsTest : public ::testing::Test {
 protected:
  TForm1& Start(const Groups& groups, int limit = 10) { return StartWith(program, groups, limit); }
  std::string Index() {
    return platform::FromTextModeBytes(program.Files.Bytes("Data\\GroupIndex.dat").value_or(""));
  }
  void Switch(int item) { program.Form->PopupMenuClick(kMenuFirstGroup + item); }
  fake::FakeDialogs& Dialogs() { return program.Platform.Dialogs; }
  Program program;
};

TEST_F(GroupsTest, ASwitchShowsTheGroupAndTrimsTheUnlockedToTheLimit) {
  struct Case {
    int locked;     // in the group switched to
    int unlocked;   // shown before the switch
    int limit;
    int limitAfter;
    std::vector<std::string> unlockedAfter;
  };
  const Case cases[] = {
      {7, 2, 5, 7, {}},                // the limit makes room for every locked memory
      {3, 4, 5, 5, {"u2", "u3"}},      // the oldest unlocked go
      {2, 3, 5, 5, {"u0", "u1", "u2"}},
      {0, 4, 4, 4, {"u0", "u1", "u2", "u3"}},
      {5, 0, 5, 5, {}},
  };
  for (const Case& c : cases) {
    Program program;
    std::vector<std::string> texts;
    for (int i = 0; i < c.locked; ++i) texts.push_back("g" + std::to_string(i));
    TForm1& form = StartWith(program, {{"デフォルト", {}}, {"other", texts}}, c.limit);
    for (int i = 0; i < c.unlocked; ++i) program.Copy("u" + std::to_string(i));
    form.PopupMenuClick(kMenuFirstGroup + 1);
    EXPECT_EQ(form.CurrentGroup(), "other");
    EXPECT_EQ(form.LockedCount(), c.locked);
    EXPECT_EQ(form.Config.MemoryLimit, c.limitAfter) << c.locked << "/" << c.unlocked;
    std::vector<std::string> unlocked;
    for (MemoryItem* item = form.UnlockedTable->Head; item; item = item->Next) {
      unlocked.push_back(item->Text);
    }
    EXPECT_EQ(unlocked, c.unlockedAfter) << c.locked << "/" << c.unlocked;
  }
}

TEST_F(GroupsTest, EachGroupFindsItsMemoriesAsTheyWereAtTheSwitch) {
  TForm1& form = Start({{"デフォルト", {"d1"}}, {"仕事 用", {"w1"}}});
  program.LockOf(1).Click();  // d1 unlocked, not saved with the group
  program.Copy("new");
  program.LockOf(2).Click();  // "new" locked into the default group
  Switch(1);
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"w1", "d1"}));
  Switch(0);
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"new", "d1"}));
  // Picking the current group saves it and reads it back.
  Switch(0);
  EXPECT_EQ(program.Texts(), (std::vector<std::string>{"new", "d1"}));
  EXPECT_EQ(form.CurrentGroup(), Sjis("デフォルト"));
}

TEST_F(GroupsTest, ASwitchWhoseSaveFailsKeepsTheGroupAndItsMemories) {
  TForm1& form = Start({{"デフォルト", {"d1"}}, {"other", {"o1"}}});
  program.Files.ChangesBeforeFailure = 0;
  Switch(1);
  EXPECT_EQ(form.CurrentGroup(), Sjis("デフォルト"));
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"d1"});
  EXPECT_EQ(program.Platform.Application.Errors.size(), 1u);
}

TEST_F(GroupsTest, MakingAGroupRefusesBadNamesAndTakesTheMemoriesShown) {
  TForm1& form = Start({{"デフォルト", {"d1", "d2"}}});
  const std::string before = Index();
  Dialogs().NamesTyped = {Sjis("デフォルト"), "", "a:b", "con", "unlock"};
  program.Form->PopupMenuClick(kMenuMakeGroupCommand);
  EXPECT_EQ(Dialogs().Warnings,
            (std::vector<std::string>{kGroupNameTakenMessage, kGroupNameEmptyMessage,
                                      kGroupNameCharactersMessage, kGroupNameReservedMessage,
                                      kGroupNameReservedMessage}));
  EXPECT_EQ(Index(), before);  // cancelled in the end: nothing changed
  EXPECT_EQ(form.CurrentGroup(), Sjis("デフォルト"));

  Dialogs().NamesTyped = {Sjis("新しい グループ")};
  program.Form->PopupMenuClick(kMenuMakeGroupCommand);
  EXPECT_EQ(Index(), "2\n" + Sjis("デフォルト") + "\n" + Sjis("新しい グループ") + "\n");
  EXPECT_EQ(form.CurrentGroup(), Sjis("新しい グループ"));
  EXPECT_EQ(Dialogs().LastOwner, program.Window().Handle());
  const std::vector<platform::MenuItem> menu = form.PopupMenuItems();
  ASSERT_EQ(menu[0].submenu.size(), 2u);
  EXPECT_TRUE(menu[0].submenu[1].checked && menu[0].submenu[1].radio);
  EXPECT_FALSE(menu[0].submenu[0].checked);

  // The memories shown go to the new group's folder at its next save; the old group keeps
  // its copy.
  program.LockOf(1).Click();
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "新しい グループ", "index.dat")), "1");
  EXPECT_EQ(program.Files.Bytes(DataFile(program.Files, "デフォルト", "index.dat")), "2");
}

TEST_F(GroupsTest, EditingOrdersAndDeletesOnlyTheGroupsOwnFiles) {
  TForm1& form = Start({{"デフォルト", {"d1"}}, {"a", {"a1", "a2"}}, {"b", {"b1"}},
                        {"c", {"c1"}}});
  program.Files.PutFile("Data\\c\\notes.txt", "the user's own");
  Switch(2);  // b is current
  // Cancel after moving and deleting: nothing changes.
  Dialogs().ListUser = [](platform::ListEditor& list) {
    list.Select(0);
    list.Delete();
    return false;
  };
  program.Form->PopupMenuClick(kMenuGroupEditCommand);
  EXPECT_EQ(Dialogs().ListShown, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(program.Files.FolderExists("Data\\a"));

  // c up to the top, a and c deleted: a's folder goes, c's stays with the user's file.
  Dialogs().ListUser = [](platform::ListEditor& list) {
    list.Select(2);
    list.MoveUp();
    list.MoveUp();
    list.Select(1);  // a
    list.Delete();
    list.Select(0);  // c
    list.Delete();
    return true;
  };
  program.Form->PopupMenuClick(kMenuGroupEditCommand);
  EXPECT_EQ(Index(), "2\n" + Sjis("デフォルト") + "\nb\n");
  EXPECT_FALSE(program.Files.FolderExists("Data\\a"));
  EXPECT_EQ(program.Files.FilesIn("Data\\c"), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(form.CurrentGroup(), "b");
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"b1"});

  // The current group deleted: the default group's memories are shown.
  Dialogs().ListUser = [](platform::ListEditor& list) {
    list.Select(0);
    list.Delete();
    return true;
  };
  program.Form->PopupMenuClick(kMenuGroupEditCommand);
  EXPECT_EQ(Index(), "1\n" + Sjis("デフォルト") + "\n");
  EXPECT_FALSE(program.Files.FolderExists("Data\\b"));
  EXPECT_EQ(form.CurrentGroup(), Sjis("デフォルト"));
  EXPECT_EQ(program.Texts(), std::vector<std::string>{"d1"});
  EXPECT_TRUE(program.Files.Outside.empty());
}

TEST_F(GroupsTest, AGroupNamedByHandOutsideItsFolderTouchesNoFile) {
  // Written by hand: names that would reach outside Data's own group folders.
  PutMemories(program.Files, "デフォルト", {"d1"});
  program.Files.PutFile("precious.txt", "keep");
  program.Files.PutFile("Data\\Unlock\\index.dat", "0");
  TForm1& form = Start({{"デフォルト", {"d1"}}, {"..", {}}, {"unlock", {}}, {"A", {"a1"}},
                        {"a", {}}});
  Switch(1);
  EXPECT_EQ(form.CurrentGroup(), "..");
  EXPECT_EQ(program.Texts(), std::vector<std::string>{});
  program.Copy("x");
  program.LockOf(1).Click();  // locked in a group without files: nothing written for it
  Switch(0);
  // Deleting them, and "a", which shares its folder with "A", deletes nothing.
  Dialogs().ListUser = [](platform::ListEditor& list) {
    list.Select(0);
    list.Delete();
    list.Select(0);
    list.Delete();
    list.Select(1);
    list.Delete();
    return true;
  };
  program.Form->PopupMenuClick(kMenuGroupEditCommand);
  EXPECT_EQ(Index(), "2\n" + Sjis("デフォルト") + "\nA\n");
  EXPECT_EQ(program.Files.Bytes("precious.txt"), "keep");
  EXPECT_EQ(program.Files.Bytes("Data\\Unlock\\index.dat"), "0");
  EXPECT_EQ(program.Files.Bytes("Data\\A\\memory0.dat"), "a1");
  EXPECT_TRUE(program.Files.Outside.empty());
}

TEST_F(GroupsTest, NoMenuWhileADialogIsOpen) {
  Start({{"デフォルト", {}}});
  int menus = -1;
  Dialogs().NamesTyped = {};
  Dialogs().ListUser = [&](platform::ListEditor&) {
    program.Form->PopupMenu(platform::Point{1, 1});  // the tray icon, meanwhile
    menus = program.Window().MenusOpened;
    return false;
  };
  program.Form->PopupMenuClick(kMenuGroupEditCommand);
  EXPECT_EQ(menus, 0);
  program.Form->PopupMenu(platform::Point{1, 1});
  EXPECT_EQ(program.Window().MenusOpened, 1);
}

}  // namespace
}  // namespace korvane::test
