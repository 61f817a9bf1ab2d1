// The group name dialog as the dialog manager shows it, driven by a user on another thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "DialogUser.h"
#include "platform/win32/GroupNameDialog.h"
#include "platform/win32/Win32Dialogs.h"

namespace korvane::platform::win32::test {
namespace {

constexpr wchar_t kCaption[] = L"グループ名";
using Names = std::vector<std::string>;

class GroupNameDialogTest : public DialogsFixture {
 protected:
  // Runs the dialog while `user` plays with it; the names the check was asked about.
  std::optional<std::string> Ask(const std::function<void(HWND dialog, HWND edit)>& user,
                                 const Dialogs::NameCheck& check = {}) {
    checked.clear();
    DialogUser player(Owner(), kCaption, [&](HWND dialog) {
      user(dialog, GetDlgItem(dialog, GroupNameDialog::kName));
    });
    return dialogs.AskGroupName(OwnerHandle(), [&](const std::string& name) {
      checked.push_back(name);
      return check ? check(name) : std::string();
    });
  }

  Win32Dialogs dialogs;
  Names checked;
};

TEST_F(GroupNameDialogTest, OpensCentredOverItsDisabledOwnerWithTheEditFocused) {
  const auto name = Ask([](HWND dialog, HWND edit) {
    ExpectModalOverTheOwner(dialog);
    EXPECT_EQ(ChildTexts(dialog), (std::vector<std::wstring>{
                                      L"グループの名前を入力して下さい", L"", L"OK", L"ｷｬﾝｾﾙ"}));
    EXPECT_EQ(FocusOf(dialog), edit);
    EXPECT_EQ(LOWORD(Query(dialog, DM_GETDEFID)), IDOK);
    Click(GetDlgItem(dialog, IDCANCEL));
  });
  EXPECT_EQ(name, std::nullopt);
  EXPECT_TRUE(IsWindowEnabled(Owner()));
}

TEST_F(GroupNameDialogTest, EndsWithTheNameOnlyByOK) {
  struct Case {
    const char* how;
    std::function<void(HWND dialog, HWND edit)> end;
    std::optional<std::string> name;
  };
  const Case cases[] = {
      {"OK", [](HWND d, HWND) { Click(GetDlgItem(d, IDOK)); }, "Work 1"},
      {"Enter", [](HWND, HWND edit) { PressKey(edit, VK_RETURN); }, "Work 1"},
      {"Cancel", [](HWND d, HWND) { Click(GetDlgItem(d, IDCANCEL)); }, std::nullopt},
      {"Escape", [](HWND, HWND edit) { PressKey(edit, VK_ESCAPE); }, std::nullopt},
      {"closing", [](HWND d, HWND) { PostMessageW(d, WM_CLOSE, 0, 0); }, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    const auto name = Ask([&](HWND dialog, HWND edit) {
      Type(edit, L"Work 1");
      c.end(dialog, edit);
    });
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(checked, c.name ? Names{*c.name} : Names{});  // only OK asks
  }
}

TEST_F(GroupNameDialogTest, TheCheckGetsTheTypedTextInCodePage932) {
  struct Case {
    const wchar_t* typed;
    std::string name;
  };
  const Case cases[] = {
      {L"グループ", "\x83\x4f\x83\x8b\x81\x5b\x83\x76"},
      {L"ｷｬﾝｾﾙ", "\xb7\xac\xdd\xbe\xd9"},  // half-width: one byte each
      {L"①", "\x87\x40"},
      // Not in the code page: "?", never a look-alike; the best fit for the yen sign would
      // be a backslash, a path separator.
      {L"a¥b", "a?b"},
      {L"é", "?"},
      {L"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
    const auto name = Ask([&](HWND dialog, HWND edit) {
      Type(edit, c.typed);
      Click(GetDlgItem(dialog, IDOK));
    });
    EXPECT_EQ(name, c.name);
  }
}

TEST_F(GroupNameDialogTest, ARefusalIsWarnedAndTheNameCanBeTypedAnew) {
  const std::string refusal = "\x96\xbc\x91\x4f\x82\xaa\x8b\xf3\x82\xc5\x82\xb7";  // 名前が空です
  const auto name = Ask(
      [&](HWND dialog, HWND edit) {
        Type(edit, L"bad");
        Click(GetDlgItem(dialog, IDOK));
        const HWND box = WaitForOwned(dialog, L"警告");
        ASSERT_TRUE(box) << "no warning";
        const std::vector<std::wstring> texts = ChildTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"名前が空です"), texts.end());
        EXPECT_EQ(ButtonTexts(box), std::vector<std::wstring>{L"OK"});
        Click(GetDlgItem(box, IDOK));

        // Still open, with the refused name selected for typing over.
        EXPECT_TRUE(WaitUntil([&] {
          return !IsWindow(box) && FocusOf(dialog) == edit &&
                 Query(edit, EM_GETSEL) == MAKELONG(0, 3);
        }));
        EXPECT_TRUE(IsWindowVisible(dialog));
        Type(edit, L"良い");
        EXPECT_EQ(TextOf(edit), L"良い");
        Click(GetDlgItem(dialog, IDOK));
      },
      [&](const std::string& name) { return name == "bad" ? refusal : std::string(); });
  EXPECT_EQ(name, "\x97\xc7\x82\xa2");
  EXPECT_EQ(checked, (Names{"bad", "\x97\xc7\x82\xa2"}));
}

TEST_F(GroupNameDialogTest, AnErrorInTheCheckIsShownAndTheDialogStays) {
  const auto name = Ask(
      [](HWND dialog, HWND) {
        Click(GetDlgItem(dialog, IDOK));
        const HWND box = WaitForOwned(dialog);
        ASSERT_TRUE(box) << "no error box";
        const std::vector<std::wstring> texts = ChildTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"disk gone"), texts.end());
        Click(GetDlgItem(box, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        EXPECT_TRUE(IsWindowVisible(dialog));
        Click(GetDlgItem(dialog, IDCANCEL));
      },
      [](const std::string&) -> std::string { throw std::runtime_error("disk gone"); });
  EXPECT_EQ(name, std::nullopt);
}

}  // namespace
}  // namespace korvane::platform::win32::test
