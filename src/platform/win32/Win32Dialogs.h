// The program's modal dialogs, made by the dialog manager.
#pragma once

#include "platform/Dialogs.h"

namespace korvane::platform::win32 {

class Win32Dialogs : public Dialogs {
 public:
  std::optional<std::string> AskGroupName(WindowHandle owner, const NameCheck& check) override;
  bool EditGroupList(WindowHandle owner, ListEditor& list) override;
  bool EditOptions(WindowHandle owner, OptionsEditor& editor) override;
};

}  // namespace korvane::platform::win32
