// The group name dialog: a prompt, a one-line edit, OK and Cancel. OK hands the name to the
// program's check; a refusal is shown in a warning box and the dialog stays open.
#pragma once

#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/win32/ModalDialog.h"

namespace korvane::platform::win32 {

class GroupNameDialog : private ModalDialog {
 public:
  enum : int { kPrompt = 100, kName = 101 };
  static constexpr int kMaxLength = 200;  // characters; a group name becomes a folder name

  explicit GroupNameDialog(const Dialogs::NameCheck& check) : check_(check) {}

  // The accepted name (code page 932); nothing when the user cancels.
  std::optional<std::string> Ask(HWND owner);

 private:
  void Opened() override;
  void Command(int id, int code) override;
  void TryName();

  const Dialogs::NameCheck& check_;
  std::optional<std::string> name_;
};

}  // namespace korvane::platform::win32
