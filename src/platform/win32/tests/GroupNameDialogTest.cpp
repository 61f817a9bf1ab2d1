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

using Names = std::vector<std::string>;
using User = std::function<void(HWND dialog, HWND edit)>;

class GroupNameDialogTest : public DialogsFixture {
 protected:
  // Runs the dialog while `user` works it; `checked` gets the names the check was asked about.
  std::optional<std::string> Ask(const User& user, const Dialogs::NameCheck& check = {}) {
    checked.clear();
    DialogUser player(Owner(), L"グループ名", [&](HWND dialog) {
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

TEST_F(GroupNameDialogTest, OpensOverItsOwnerWithTheEditFocusedAndOKTheDefault) {
  const auto name = Ask([](HWND dialog, HWND edit) {
    ExpectModalOverTheOwner(dialog);
    EXPECT_EQ(ChildTexts(dialog), (Texts{L"グループの名前を入力して下さい", L"", L"OK", L"ｷｬﾝｾﾙ"}));
    EXPECT_EQ(FocusOf(dialog), edit);
    EXPECT_EQ(LOWORD(Query(dialog, DM_GETDEFID)), IDOK);
    Click(GetDlgItem(dialog, IDCANCEL));
  });
  EXPECT_EQ(name, std::nullopt);
  EXPECT_TRUE(IsWindowEnabled(Owner()));
}

TEST_F(GroupNameDialogTest, EndsWithTheNameInCodePage932OnlyByOK) {
  // The yen sign is not in the code page: "?", which the check refuses, never the best
  // fit's backslash, a path separator.
  const std::string name = "\x8e\x64\x8e\x96?\xb7\xac";  // 仕事?ｷｬ
  struct Case {
    const char* how;
    std::function<void(HWND dialog, HWND edit)> end;
    std::optional<std::string> name;
  };
  const Case cases[] = {
      {"OK", [](HWND d, HWND) { Click(GetDlgItem(d, IDOK)); }, name},
      {"Enter", [](HWND, HWND edit) { PressKey(edit, VK_RETURN); }, name},
      {"Cancel", [](HWND d, HWND) { Click(GetDlgItem(d, IDCANCEL)); }, std::nullopt},
      {"Escape", [](HWND, HWND edit) { PressKey(edit, VK_ESCAPE); }, std::nullopt},
      {"closing", [](HWND d, HWND) { PostMessageW(d, WM_CLOSE, 0, 0); }, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    EXPECT_EQ(Ask([&](HWND dialog, HWND edit) {
                Type(edit, L"仕事¥ｷｬ");
                c.end(dialog, edit);
              }),
              c.name);
    EXPECT_EQ(checked, c.name ? Names{*c.name} : Names{});
  }
}

TEST_F(GroupNameDialogTest, ARefusalIsWarnedAndTheNameCanBeTypedAnew) {
  const auto refuseBad = [](const std::string& name) {
    return name == "bad" ? std::string("\x8b\xf3\x82\xc5\x82\xb7") : std::string();  // 空です
  };
  const auto name = Ask(
      [](HWND dialog, HWND edit) {
        Type(edit, L"bad");
        Click(GetDlgItem(dialog, IDOK));
        const HWND box = WaitForOwned(dialog, L"警告");
        ASSERT_TRUE(box);
        Texts texts = ChildTexts(box);  // the icon, the text and one button, in any order
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts, (Texts{L"", L"OK", L"空です"}));
        Click(GetDlgItem(box, IDOK));
        // Still open, the refused name selected for typing over.
        EXPECT_TRUE(WaitUntil([&] {
          return !IsWindow(box) && FocusOf(dialog) == edit &&
                 Query(edit, EM_GETSEL) == MAKELONG(0, 3);
        }));
        Type(edit, L"良い");
        Click(GetDlgItem(dialog, IDOK));
      },
      refuseBad);
  EXPECT_EQ(name, "\x97\xc7\x82\xa2");
  EXPECT_EQ(checked, (Names{"bad", "\x97\xc7\x82\xa2"}));
}

TEST_F(GroupNameDialogTest, AnErrorInTheCheckIsShownAndTheDialogStays) {
  const auto name = Ask(
      [](HWND dialog, HWND) {
        Click(GetDlgItem(dialog, IDOK));
        const HWND box = WaitForOwned(dialog, L"Korvane");
        ASSERT_TRUE(box);
        const Texts texts = ChildTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"disk gone"), texts.end());
        Click(GetDlgItem(box, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && IsWindowVisible(dialog); }));
        Click(GetDlgItem(dialog, IDCANCEL));
      },
      [](const std::string&) -> std::string { throw std::runtime_error("disk gone"); });
  EXPECT_EQ(name, std::nullopt);
}

}  // namespace
}  // namespace korvane::platform::win32::test
