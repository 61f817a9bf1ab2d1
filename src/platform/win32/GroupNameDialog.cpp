#include "platform/win32/GroupNameDialog.h"

#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

std::optional<std::string> GroupNameDialog::Ask(HWND owner) {
  DialogTemplate layout(L"グループ名", 186, 62);
  layout.Add(DialogTemplate::Kind::Static, kPrompt, L"グループの名前を入力して下さい",
             SS_LEFT | SS_NOPREFIX, 7, 7, 172, 10);
  layout.Add(DialogTemplate::Kind::Edit, kName, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7,
             19, 172, 14);
  layout.Add(DialogTemplate::Kind::Button, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 75, 41,
             50, 14);
  layout.Add(DialogTemplate::Kind::Button, IDCANCEL, L"ｷｬﾝｾﾙ", BS_PUSHBUTTON | WS_TABSTOP, 129,
             41, 50, 14);
  name_.reset();
  Run(owner, layout);
  return name_;
}

void GroupNameDialog::Opened() {
  SendMessageW(Item(kName), EM_LIMITTEXT, kMaxLength, 0);
  SetFocus(Item(kName));
}

void GroupNameDialog::Command(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == IDOK) TryName();
  if (id == IDCANCEL) End(IDCANCEL);
}

void GroupNameDialog::TryName() {
  const HWND edit = Item(kName);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  const int length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length));
  // A character that code page 932 lacks becomes "?", which the check refuses as a folder
  // name's character; a look-alike would slip through as another name.
  std::string name = FromWide(text);
  const std::string refusal = check_(name);
  if (!refusal.empty()) {
    MessageBoxW(Hwnd(), ToWide(refusal).c_str(), L"警告", MB_OK);
    FocusItem(kName);
    SendMessageW(edit, EM_SETSEL, 0, -1);  // for typing the name anew
    return;
  }
  name_ = std::move(name);
  End(IDOK);
}

}  // namespace korvane::platform::win32
