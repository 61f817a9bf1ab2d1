// The group list dialog: the editor's entries in a list box, the move and delete buttons, OK
// and Cancel. Every click goes to the editor, and the view is then shown as the editor has it.
#pragma once

#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/win32/ModalDialog.h"

namespace korvane::platform::win32 {

class GroupListDialog : private ModalDialog {
 public:
  enum : int { kList = 110, kMoveUp = 111, kMoveDown = 112, kDelete = 113 };

  explicit GroupListDialog(ListEditor& list) : list_(list) {}

  // True when the user ends it with OK.
  bool Edit(HWND owner);

 private:
  void Opened() override;
  void Command(int id, int code) override;
  void ShowEditor();

  ListEditor& list_;
  std::vector<std::string> shown_;  // what the list box holds
};

}  // namespace korvane::platform::win32
