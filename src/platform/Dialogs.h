// The program's modal dialogs. Each is owned by the main window, shows the values it is
// given and hands back what the user chose, only when the user ends it with OK. Messages to
// the main window go on being handled while one is open.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/OptionsDialog.h"
#include "platform/Types.h"

namespace korvane::platform {

// The rules of a list that the user edits in a dialog; the dialog only shows them.
class ListEditor {
 public:
  virtual ~ListEditor() = default;
  virtual const std::vector<std::string>& Entries() const = 0;  // code page 932
  virtual int Selection() const = 0;  // the selected entry, -1 for none
  virtual bool ButtonsEnabled() const = 0;  // the move and delete buttons
  virtual void Select(int index) = 0;  // a click in the list; -1 when it hit no entry
  virtual void MoveUp() = 0;
  virtual void MoveDown() = 0;
  virtual void Delete() = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Tells why a name cannot be taken (code page 932), or "" when it can.
  using NameCheck = std::function<std::string(const std::string& name)>;

  // The group name dialog, captioned "グループ名": the prompt "グループの名前を入力して下さい",
  // an empty one-line edit (first in tab order, focused), "OK" (the default button) and
  // "ｷｬﾝｾﾙ". OK hands the text to `check`; a refusal is shown in a message box captioned
  // "警告" with only an OK button, and the dialog stays open for another try. The name on
  // OK (code page 932); nothing on Cancel, Escape or closing.
  virtual std::optional<std::string> AskGroupName(WindowHandle owner, const NameCheck& check) = 0;

  // The group list dialog, captioned "グループ": the editor's entries in a list box,
  // "上へ移動", "下へ移動" and "削除" (enabled as the editor says), "OK" (the default button,
  // first in tab order) and "ｷｬﾝｾﾙ". Each click is passed to the editor and the list, its
  // selection and the buttons are shown again as the editor has them. True on OK; false on
  // Cancel, Escape or closing.
  virtual bool EditGroupList(WindowHandle owner, ListEditor& list) = 0;

  // The options dialog, captioned "設定": eight pages, opening on "バージョン情報", and "OK"
  // (the default button), "ｷｬﾝｾﾙ" and "ヘルプ" below them. Every control shows and edits the
  // editor's values and follows its rules; OK closes only when the editor has no refusal (else
  // the refusal in a box captioned "警告" and the dialog stays open). True on OK; false on
  // Cancel, Escape or closing, and then the values must be taken as discarded.
  virtual bool EditOptions(WindowHandle owner, OptionsEditor& editor) = 0;
};

}  // namespace korvane::platform
