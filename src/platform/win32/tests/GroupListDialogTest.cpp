// The group list dialog as the dialog manager shows it, over an editor with rules of its own,
// driven by a user on another thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "DialogUser.h"
#include "platform/win32/GroupListDialog.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Dialogs.h"

namespace korvane::platform::win32::test {
namespace {

constexpr wchar_t kCaption[] = L"グループ";
using Texts = std::vector<std::wstring>;

// Rules of its own, so that the dialog is seen to show the editor's state and not the list
// box's: the first entry stays where it is, so selecting it leaves the buttons disabled.
class TestList : public ListEditor {
 public:
  TestList(const Texts& entries, int selection) : selection_(selection) {
    for (const std::wstring& entry : entries) entries_.push_back(FromWide(entry));
  }
  std::vector<std::string> calls;

  const std::vector<std::string>& Entries() const override { return entries_; }
  int Selection() const override { return selection_; }
  bool ButtonsEnabled() const override { return selection_ > 0; }
  void Select(int index) override {
    calls.push_back("Select " + std::to_string(index));
    selection_ = index;
  }
  void MoveUp() override {
    calls.push_back("MoveUp");
    if (selection_ > 1) std::swap(entries_[selection_], entries_[selection_ - 1]), --selection_;
  }
  void MoveDown() override {
    calls.push_back("MoveDown");
    const int last = static_cast<int>(entries_.size()) - 1;
    if (selection_ > 0 && selection_ < last) {
      std::swap(entries_[selection_], entries_[selection_ + 1]);
      ++selection_;
    }
  }
  void Delete() override {
    calls.push_back("Delete");
    if (selection_ <= 0) return;
    entries_.erase(entries_.begin() + selection_);
    selection_ = -1;
  }

 private:
  std::vector<std::string> entries_;
  int selection_;
};

struct Controls {
  HWND dialog, list, up, down, remove, ok, cancel;
  explicit Controls(HWND d)
      : dialog(d),
        list(GetDlgItem(d, GroupListDialog::kList)),
        up(GetDlgItem(d, GroupListDialog::kMoveUp)),
        down(GetDlgItem(d, GroupListDialog::kMoveDown)),
        remove(GetDlgItem(d, GroupListDialog::kDelete)),
        ok(GetDlgItem(d, IDOK)),
        cancel(GetDlgItem(d, IDCANCEL)) {}
  // The three buttons that the editor enables: all on, all off, or a mix.
  std::string Buttons() const {
    const int on = !!IsWindowEnabled(up) + !!IsWindowEnabled(down) + !!IsWindowEnabled(remove);
    return on == 3 ? "enabled" : on == 0 ? "disabled" : "mixed";
  }
};

class GroupListDialogTest : public DialogsFixture {
 protected:
  bool Edit(TestList& list, const std::function<void(const Controls&)>& user) {
    DialogUser player(Owner(), kCaption, [&](HWND dialog) { user(Controls(dialog)); });
    return dialogs.EditGroupList(OwnerHandle(), list);
  }

  Win32Dialogs dialogs;
};

TEST_F(GroupListDialogTest, OpensCentredOverItsDisabledOwnerWithTheEditorsState) {
  struct Case {
    int selection;
    const char* buttons;
  };
  for (const Case c : {Case{2, "enabled"}, Case{0, "disabled"}, Case{-1, "disabled"}}) {
    SCOPED_TRACE(c.selection);
    TestList list({L"デフォルト", L"仕事", L"ｶﾀｶﾅ"}, c.selection);
    const bool ok = Edit(list, [&](const Controls& at) {
      ExpectModalOverTheOwner(at.dialog);
      // In tab order: OK first, and the focus on it.
      EXPECT_EQ(ChildTexts(at.dialog),
                (Texts{L"OK", L"", L"上へ移動", L"下へ移動", L"削除", L"ｷｬﾝｾﾙ"}));
      EXPECT_EQ(FocusOf(at.dialog), at.ok);
      EXPECT_EQ(LOWORD(Query(at.dialog, DM_GETDEFID)), IDOK);

      EXPECT_EQ(ListTexts(at.list), (Texts{L"デフォルト", L"仕事", L"ｶﾀｶﾅ"}));
      EXPECT_EQ(ListSelection(at.list), c.selection);
      EXPECT_EQ(at.Buttons(), c.buttons);
      Click(at.cancel);
    });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(IsWindowEnabled(Owner()));
    EXPECT_EQ(list.calls, std::vector<std::string>{});
  }
}

TEST_F(GroupListDialogTest, TrueOnlyForOK) {
  struct Case {
    const char* how;
    std::function<void(const Controls&)> end;
    bool result;
  };
  const Case cases[] = {
      {"OK", [](const Controls& at) { Click(at.ok); }, true},
      {"Enter in the list",
       [](const Controls& at) {
         Query(at.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(at.list), TRUE);
         PressKey(at.list, VK_RETURN);
       },
       true},
      {"Cancel", [](const Controls& at) { Click(at.cancel); }, false},
      {"Escape", [](const Controls& at) { PressKey(at.ok, VK_ESCAPE); }, false},
      {"closing", [](const Controls& at) { PostMessageW(at.dialog, WM_CLOSE, 0, 0); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    TestList list({L"デフォルト", L"仕事"}, -1);
    EXPECT_EQ(Edit(list, c.end), c.result);
  }
}

TEST_F(GroupListDialogTest, ClicksAndArrowKeysSelectThroughTheEditor) {
  Texts many;
  for (int i = 0; i < 40; ++i) many.push_back(L"グループ" + std::to_wstring(i));
  TestList list(many, -1);
  Edit(list, [](const Controls& at) {
    EXPECT_EQ(at.Buttons(), "disabled");
    Query(at.list, LB_SETTOPINDEX, 20);
    ClickItem(at.list, 22);
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "enabled"; }));
    EXPECT_EQ(ListSelection(at.list), 22);
    // The entries are the same: the list is not filled anew, which would scroll it.
    EXPECT_EQ(Query(at.list, LB_GETTOPINDEX), 20);

    Query(at.list, LB_SETTOPINDEX, 0);
    ClickItem(at.list, 0);  // the editor's own rule: no buttons for the first entry
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "disabled"; }));
    PressKey(at.list, VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "enabled"; }));
    EXPECT_EQ(ListSelection(at.list), 1);
    Click(at.ok);
  });
  EXPECT_EQ(list.calls, (std::vector<std::string>{"Select 22", "Select 0", "Select 1"}));
}

TEST_F(GroupListDialogTest, MovesShowTheEditorsOrderAndSelection) {
  TestList list({L"デフォルト", L"A", L"B", L"C"}, 2);
  const bool ok = Edit(list, [](const Controls& at) {
    struct Step {
      HWND Controls::*button;
      Texts entries;
      int selection;
    };
    const Step steps[] = {
        {&Controls::up, {L"デフォルト", L"B", L"A", L"C"}, 1},
        {&Controls::up, {L"デフォルト", L"B", L"A", L"C"}, 1},  // the editor's rule: no further
        {&Controls::down, {L"デフォルト", L"A", L"B", L"C"}, 2},
        {&Controls::down, {L"デフォルト", L"A", L"C", L"B"}, 3},
    };
    for (const Step& step : steps) {
      Click(at.*step.button);
      EXPECT_TRUE(WaitUntil([&] {
        return ListTexts(at.list) == step.entries && ListSelection(at.list) == step.selection;
      }));
    }
    Click(at.ok);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(list.calls, (std::vector<std::string>{"MoveUp", "MoveUp", "MoveDown", "MoveDown"}));
}

TEST_F(GroupListDialogTest, DeleteGoesToTheEditorAndTheKeyboardStaysInTheList) {
  TestList list({L"デフォルト", L"仕事", L"遊び"}, 1);
  int selected = -1;
  const bool ok = Edit(list, [&](const Controls& at) {
    Click(at.remove);  // the press takes the focus to the button, as a click does
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "disabled"; }));
    EXPECT_EQ(ListTexts(at.list), (Texts{L"デフォルト", L"遊び"}));
    EXPECT_EQ(ListSelection(at.list), -1);
    EXPECT_EQ(FocusOf(at.dialog), at.list);
    EXPECT_EQ(LOWORD(Query(at.dialog, DM_GETDEFID)), IDOK);
    EXPECT_TRUE(GetWindowLongW(at.ok, GWL_STYLE) & BS_DEFPUSHBUTTON);

    PressKey(at.list, VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return (selected = ListSelection(at.list)) >= 0; }));
    PressKey(at.list, VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(list.calls, (std::vector<std::string>{"Delete", "Select " + std::to_string(selected)}));
}

}  // namespace
}  // namespace korvane::platform::win32::test
