#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/GroupListDialog.h"
#include "platform/win32/GroupNameDialog.h"
#include "platform/win32/OptionsDialog.h"

namespace korvane::platform::win32 {

std::optional<std::string> Win32Dialogs::AskGroupName(WindowHandle owner,
                                                      const NameCheck& check) {
  return GroupNameDialog(check).Ask(reinterpret_cast<HWND>(owner));
}

bool Win32Dialogs::EditGroupList(WindowHandle owner, ListEditor& list) {
  return GroupListDialog(list).Edit(reinterpret_cast<HWND>(owner));
}

bool Win32Dialogs::EditOptions(WindowHandle owner, OptionsEditor& editor) {
  return OptionsDialog(editor).Edit(reinterpret_cast<HWND>(owner));
}

}  // namespace korvane::platform::win32
