#include "platform/win32/GroupListDialog.h"

#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

namespace {
constexpr int kButtons[] = {GroupListDialog::kMoveUp, GroupListDialog::kMoveDown,
                            GroupListDialog::kDelete};
}  // namespace

bool GroupListDialog::Edit(HWND owner) {
  using Kind = DialogTemplate::Kind;
  DialogTemplate layout(L"グループ", 206, 136);
  // OK first in tab order, as the focus starts there.
  layout.Add(Kind::Button, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 149, 97, 50, 14);
  layout.Add(Kind::ListBox, kList, L"",
             WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 7, 7, 134,
             122);
  layout.Add(Kind::Button, kMoveUp, L"上へ移動", BS_PUSHBUTTON | WS_TABSTOP, 149, 7, 50, 14);
  layout.Add(Kind::Button, kMoveDown, L"下へ移動", BS_PUSHBUTTON | WS_TABSTOP, 149, 25, 50, 14);
  layout.Add(Kind::Button, kDelete, L"削除", BS_PUSHBUTTON | WS_TABSTOP, 149, 43, 50, 14);
  layout.Add(Kind::Button, IDCANCEL, L"ｷｬﾝｾﾙ", BS_PUSHBUTTON | WS_TABSTOP, 149, 115, 50, 14);
  shown_.clear();
  return Run(owner, layout) == IDOK;
}

void GroupListDialog::Opened() {
  ShowEditor();
  SetFocus(Item(IDOK));
}

void GroupListDialog::Command(int id, int code) {
  if (id == kList) {
    if (code != LBN_SELCHANGE) return;
    list_.Select(static_cast<int>(SendMessageW(Item(kList), LB_GETCURSEL, 0, 0)));  // LB_ERR: -1
    ShowEditor();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kMoveUp:
      list_.MoveUp();
      break;
    case kMoveDown:
      list_.MoveDown();
      break;
    case kDelete:
      list_.Delete();
      break;
    case IDOK:
    case IDCANCEL:
      End(id);
      return;
    default:
      return;
  }
  ShowEditor();
}

void GroupListDialog::ShowEditor() {
  const HWND box = Item(kList);
  if (list_.Entries() != shown_) {
    shown_ = list_.Entries();
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : shown_) {
      SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
    }
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
  }
  SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(list_.Selection()), 0);  // -1: none

  const bool enabled = list_.ButtonsEnabled();
  if (!enabled) {
    // A disabled control that keeps the focus takes no keys; the list is where the user
    // goes on from (after Delete, say).
    const HWND focus = GetFocus();
    for (const int id : kButtons) {
      if (focus == Item(id)) FocusItem(kList);
    }
  }
  for (const int id : kButtons) EnableWindow(Item(id), enabled);
}

}  // namespace korvane::platform::win32
