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
};

}  // namespace korvane::fake
