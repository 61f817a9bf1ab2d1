// The group list dialog as the dialog manager shows it, over an editor with rules of its own,
// driven by a user on another thread.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "DialogUser.h"
#include "platform/win32/GroupListDialog.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Dialogs.h"

namespace korvane::platform::win32::test {
namespace {

using Calls = std::vector<std::string>;

// Rules of its own, so that the dialog is seen to show the editor's state and not the list
// box's: the first entry stays first, and selecting it leaves the buttons disabled.
class TestList : public ListEditor {
 public:
  TestList(const Texts& entries, int selection) : selection_(selection) {
    for (const std::wstring& entry : entries) entries_.push_back(FromWide(entry));
  }
  Calls calls;

  const std::vector<std::string>& Entries() const override { return entries_; }
  int Selection() const override { return selection_; }
  bool ButtonsEnabled() const override { return selection_ > 0; }
  void Select(int index) override {
    calls.push_back("Select " + std::to_string(index));
    selection_ = index;
  }
  void MoveUp() override {
    calls.push_back("MoveUp");
    if (selection_ > 1) Swap(-1);
  }
  void MoveDown() override {
    calls.push_back("MoveDown");
    if (selection_ > 0 && selection_ + 1 < static_cast<int>(entries_.size())) Swap(1);
  }
  void Delete() override {
    calls.push_back("Delete");
    if (selection_ <= 0) return;
    entries_.erase(entries_.begin() + selection_);
    selection_ = -1;
  }

 private:
  void Swap(int by) {
    std::swap(entries_[selection_], entries_[selection_ + by]);
    selection_ += by;
  }
  std::vector<std::string> entries_;
  int selection_;
};

struct Controls {
  HWND dialog, list, up, down, remove, ok, cancel;
  explicit Controls(HWND d)
      : dialog(d), list(GetDlgItem(d, GroupListDialog::kList)),
        up(GetDlgItem(d, GroupListDialog::kMoveUp)),
        down(GetDlgItem(d, GroupListDialog::kMoveDown)),
        remove(GetDlgItem(d, GroupListDialog::kDelete)), ok(GetDlgItem(d, IDOK)),
        cancel(GetDlgItem(d, IDCANCEL)) {}
  int Selection() const { return static_cast<int>(Query(list, LB_GETCURSEL)); }
  // The three buttons that the editor enables.
  std::string Buttons() const {
    const int on = !!IsWindowEnabled(up) + !!IsWindowEnabled(down) + !!IsWindowEnabled(remove);
    return on == 3 ? "enabled" : on == 0 ? "disabled" : "mixed";
  }
};

class GroupListDialogTest : public DialogsFixture {
 protected:
  bool Edit(TestList& list, const std::function<void(const Controls&)>& user) {
    DialogUser player(Owner(), L"グループ", [&](HWND dialog) { user(Controls(dialog)); });
    return Win32Dialogs().EditGroupList(OwnerHandle(), list);
  }
};

TEST_F(GroupListDialogTest, OpensOverItsOwnerWithTheEditorsStateAndOKFocused) {
  for (const auto& [selection, buttons] : {std::pair{2, "enabled"}, {0, "disabled"},
                                           {-1, "disabled"}}) {
    SCOPED_TRACE(selection);
    TestList list({L"デフォルト", L"仕事", L"ｶﾀｶﾅ"}, selection);
    EXPECT_FALSE(Edit(list, [&](const Controls& at) {
      ExpectModalOverTheOwner(at.dialog);
      EXPECT_EQ(ChildTexts(at.dialog),  // in tab order
                (Texts{L"OK", L"", L"上へ移動", L"下へ移動", L"削除", L"ｷｬﾝｾﾙ"}));
      EXPECT_EQ(FocusOf(at.dialog), at.ok);
      EXPECT_EQ(LOWORD(Query(at.dialog, DM_GETDEFID)), IDOK);
      EXPECT_EQ(ListTexts(at.list), (Texts{L"デフォルト", L"仕事", L"ｶﾀｶﾅ"}));
      EXPECT_EQ(at.Selection(), selection);
      EXPECT_EQ(at.Buttons(), buttons);
      Click(at.cancel);
    }));
    EXPECT_TRUE(IsWindowEnabled(Owner()));
    EXPECT_EQ(list.calls, Calls{});
  }
}

TEST_F(GroupListDialogTest, TrueOnlyForOK) {
  const std::pair<std::function<void(const Controls&)>, bool> cases[] = {
      {[](const Controls& at) { Click(at.ok); }, true},
      {[](const Controls& at) {
         Query(at.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(at.list), TRUE);
         PressKey(at.list, VK_RETURN);
       },
       true},
      {[](const Controls& at) { Click(at.cancel); }, false},
      {[](const Controls& at) { PressKey(at.ok, VK_ESCAPE); }, false},
      {[](const Controls& at) { PostMessageW(at.dialog, WM_CLOSE, 0, 0); }, false},
  };
  for (const auto& [end, result] : cases) {
    TestList list({L"デフォルト", L"仕事"}, -1);
    EXPECT_EQ(Edit(list, end), result) << "case " << (&end - &cases[0].first);
  }
}

TEST_F(GroupListDialogTest, ClicksAndArrowKeysSelectThroughTheEditor) {
  Texts many;
  for (int i = 0; i < 40; ++i) many.push_back(L"グループ" + std::to_wstring(i));
  TestList list(many, -1);
  Edit(list, [](const Controls& at) {
    Query(at.list, LB_SETTOPINDEX, 20);
    ClickItem(at.list, 22);
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "enabled"; }));
    EXPECT_EQ(at.Selection(), 22);
    EXPECT_EQ(Query(at.list, LB_GETTOPINDEX), 20);  // not filled anew, which would scroll it

    Query(at.list, LB_SETTOPINDEX, 0);
    ClickItem(at.list, 0);
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "disabled"; }));
    PressKey(at.list, VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "enabled" && at.Selection() == 1; }));
    Click(at.ok);
  });
  EXPECT_EQ(list.calls, (Calls{"Select 22", "Select 0", "Select 1"}));
}

TEST_F(GroupListDialogTest, MovesShowTheEditorsOrderAndSelection) {
  TestList list({L"デフォルト", L"A", L"B", L"C"}, 2);
  EXPECT_TRUE(Edit(list, [](const Controls& at) {
    const std::tuple<HWND, Texts, int> steps[] = {
        {at.up, {L"デフォルト", L"B", L"A", L"C"}, 1},
        {at.up, {L"デフォルト", L"B", L"A", L"C"}, 1},  // the editor's rule: no further
        {at.down, {L"デフォルト", L"A", L"B", L"C"}, 2},
        {at.down, {L"デフォルト", L"A", L"C", L"B"}, 3},
    };
    for (const auto& [button, entries, selection] : steps) {
      Click(button);
      EXPECT_TRUE(WaitUntil(
          [&] { return ListTexts(at.list) == entries && at.Selection() == selection; }));
    }
    Click(at.ok);
  }));
  EXPECT_EQ(list.calls, (Calls{"MoveUp", "MoveUp", "MoveDown", "MoveDown"}));
}

TEST_F(GroupListDialogTest, DeleteGoesToTheEditorAndTheKeyboardStaysInTheList) {
  TestList list({L"デフォルト", L"仕事", L"遊び"}, 1);
  int selected = -1;
  EXPECT_FALSE(Edit(list, [&](const Controls& at) {
    Click(at.remove);  // the press takes the focus to the button, as a click does
    EXPECT_TRUE(WaitUntil([&] { return at.Buttons() == "disabled"; }));
    EXPECT_EQ(ListTexts(at.list), (Texts{L"デフォルト", L"遊び"}));
    EXPECT_EQ(at.Selection(), -1);
    EXPECT_EQ(FocusOf(at.dialog), at.list);
    EXPECT_TRUE(GetWindowLongW(at.ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
    PressKey(at.list, VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return (selected = at.Selection()) >= 0; }));
    PressKey(at.list, VK_ESCAPE);
  }));
  EXPECT_EQ(list.calls, (Calls{"Delete", "Select " + std::to_string(selected)}));
}

}  // namespace
}  // namespace korvane::platform::win32::test
