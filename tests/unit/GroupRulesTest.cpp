// The rules of the group dialogs: which names a new group may take, and how the list of
// groups moves and loses entries.
#include <gtest/gtest.h>

#include "app/Texts.h"
#include "groups/GroupListEdit.h"
#include "groups/GroupNames.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

TEST(GroupNames, RefusalsComeInOrderAndNameWhatIsWrong) {
  const std::vector<std::string> existing = {Sjis("デフォルト"), "Work", ""};
  const std::vector<std::string> none;
  struct Case {
    std::string name;
    const std::vector<std::string>& groups;
    std::string refusal;
  };
  const Case cases[] = {
      {Sjis("デフォルト"), existing, kGroupNameTakenMessage},
      {"work", existing, kGroupNameTakenMessage},  // one folder on Windows
      {"", existing, kGroupNameTakenMessage},      // taken is tested before empty
      {"", none, kGroupNameEmptyMessage},
      {"a\\b", none, kGroupNameCharactersMessage},
      {"..\\..\\x", none, kGroupNameCharactersMessage},
      {"a/b", none, kGroupNameCharactersMessage},
      {"C:", none, kGroupNameCharactersMessage},
      {"what?", none, kGroupNameCharactersMessage},
      {"tab\there", none, kGroupNameCharactersMessage},
      {"\x81", none, kGroupNameCharactersMessage},  // a lead byte alone
      {".", none, kGroupNameReservedMessage},
      {"..", none, kGroupNameReservedMessage},
      {"name.", none, kGroupNameReservedMessage},
      {"name ", none, kGroupNameReservedMessage},
      {"CON", none, kGroupNameReservedMessage},
      {"com1.txt", none, kGroupNameReservedMessage},
      {"Lpt9", none, kGroupNameReservedMessage},
      {"UNLOCK", none, kGroupNameReservedMessage},
      {std::string(256, 'a'), none, kGroupNameReservedMessage},
      {std::string(255, 'a'), none, ""},
      {Sjis("仕事 の メモ"), none, ""},
      {Sjis("表ソ"), none, ""},  // trail bytes 0x5C are no backslash
      {" leading", none, ""},
      {"Unlocked", none, ""},
      {"CONSOLE", none, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GroupNameRefusal(c.name, c.groups), c.refusal) << c.name;
  }
}

TEST(GroupListEdit, MovesAndDeletesOnlyWhatTheSelectionAllows) {
  // Actions: s<n> selects entry n (s- clicks no entry), u up, d down, x delete.
  struct Case {
    std::string actions;
    std::vector<std::string> entries;
    int selection;
    bool enabled;
  };
  const Case cases[] = {
      {"", {"a", "b", "c"}, -1, false},
      {"udx", {"a", "b", "c"}, -1, false},  // nothing selected: nothing moves
      {"s1", {"a", "b", "c"}, 1, true},
      {"s1u", {"b", "a", "c"}, 0, true},
      {"s1uu", {"b", "a", "c"}, 0, true},  // the first goes no higher
      {"s1d", {"a", "c", "b"}, 2, true},
      {"s1dd", {"a", "c", "b"}, 2, true},  // the last goes no lower
      {"s2x", {"a", "b"}, -1, false},
      {"s2xu", {"a", "b"}, -1, false},
      {"s0xs0x", {"c"}, -1, false},
      {"s1s-", {"a", "b", "c"}, -1, true},  // enabled until a deletion
      {"s-", {"a", "b", "c"}, -1, false},
  };
  for (const Case& c : cases) {
    GroupListEdit list({"a", "b", "c"});
    for (std::size_t i = 0; i < c.actions.size(); ++i) {
      switch (c.actions[i]) {
        case 's': {
          const char at = c.actions[++i];
          list.Select(at == '-' ? -1 : at - '0');
          break;
        }
        case 'u': list.MoveUp(); break;
        case 'd': list.MoveDown(); break;
        case 'x': list.Delete(); break;
      }
    }
    EXPECT_EQ(list.Entries(), c.entries) << c.actions;
    EXPECT_EQ(list.Selection(), c.selection) << c.actions;
    EXPECT_EQ(list.ButtonsEnabled(), c.enabled) << c.actions;
  }
}

}  // namespace
}  // namespace korvane::test
