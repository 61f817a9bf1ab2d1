// The dialogs in memory, with a scripted user: the names typed one try after another, and
// what is done in the group list.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace korvane::fake {

class FakeDialogs : public platform::Dialogs {
 public:
  // Typed into the name dialog and confirmed with OK, one after another while a name is
  // refused; when they run out the user cancels.
  std::vector<std::string> NamesTyped;
  std::vector<std::string> Warnings;  // the refusals shown, in order
  int NameDialogsOpened = 0;
  // What the user does in the group list; true for OK. Unset: Cancel at once.
  std::function<bool(platform::ListEditor&)> ListUser;
  std::vector<std::string> ListShown;  // the entries the list opened with
  int ListDialogsOpened = 0;
  platform::WindowHandle LastOwner = 0;
  // What the user does in the options dialog; true for OK, which is refused (and counted)
  // while the editor says why not. Unset: Cancel at once.
  std::function<bool(platform::OptionsEditor&)> OptionsUser;
  int OptionsDialogsOpened = 0;
  int OptionsRefused = 0;

  std::optional<std::string> AskGroupName(platform::WindowHandle owner,
                                          const NameCheck& check) override {
    LastOwner = owner;
    ++NameDialogsOpened;
    while (!NamesTyped.empty()) {
      const std::string name = NamesTyped.front();
      NamesTyped.erase(NamesTyped.begin());
      const std::string refusal = check(name);
      if (refusal.empty()) return name;
      Warnings.push_back(refusal);
    }
    return std::nullopt;
  }

  bool EditGroupList(platform::WindowHandle owner, platform::ListEditor& list) override {
    LastOwner = owner;
    ++ListDialogsOpened;
    ListShown = list.Entries();
    return ListUser ? ListUser(list) : false;
  }

  bool EditOptions(platform::WindowHandle owner, platform::OptionsEditor& editor) override {
    LastOwner = owner;
    ++OptionsDialogsOpened;
    editor.ArmTabStops();
    if (!OptionsUser || !OptionsUser(editor)) return false;
    const std::string refusal = editor.OkRefusal();
    if (refusal.empty()) return true;
    ++OptionsRefused;
    Warnings.push_back(refusal);
    return false;  // the user gives up on a refused OK and cancels
  }
};

}  // namespace korvane::fake
