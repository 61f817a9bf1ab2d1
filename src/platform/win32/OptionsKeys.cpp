// The options dialog's two fields that take keys as values: the hotkey field, and the
// direct-paste grid, whose arrows are its own and whose other keys set the current row's key.
#include "platform/win32/OptionsDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

using namespace options;

void OptionsDialog::ShowHotKey() {
  SetWindowTextW(Control(kHotKey), ToWide(editor_.HotKeyText()).c_str());
}

void OptionsDialog::ShowGrid() {
  const HWND grid = Control(kShortcutGrid);
  const int count = std::max(0, editor_.ShortcutCount());
  int shown = static_cast<int>(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0));
  for (; shown < count; ++shown) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = shown;
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  for (; shown > count; --shown)
    SendMessageW(grid, LVM_DELETEITEM, static_cast<WPARAM>(shown - 1), 0);
  for (int row = 0; row < count; ++row) {
    for (int column = 0; column < 2; ++column) {
      std::wstring text =
          ToWide(column == 0 ? editor_.ShortcutLabel(row) : editor_.ShortcutText(row));
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageW(grid, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  if (count > 0 && GridRow() < 0) {
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(grid, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
  }
}

int OptionsDialog::GridRow() const {
  return static_cast<int>(SendMessageW(Control(kShortcutGrid), LVM_GETNEXTITEM,
                                       static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool OptionsDialog::HotKeyMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Every key is the hotkey's but Tab and Enter, which keep moving on and pressing OK.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key && (key->wParam == VK_TAB || key->wParam == VK_RETURN)) return false;
      result = DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
      return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      editor_.HotKeyDown(static_cast<int>(wParam), GetKeyState(VK_SHIFT) < 0,
                         GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0);
      ShowHotKey();
      return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      editor_.HotKeyUp();
      ShowHotKey();
      return true;
    case WM_CHAR:
    case WM_SYSCHAR:
      return true;  // the keys were taken as keys
    default:
      return false;
  }
}

bool OptionsDialog::GridMessage(UINT message, WPARAM wParam, LRESULT&) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      switch (wParam) {
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
          return false;
        default:
          editor_.ShortcutKeyDown(std::max(0, GridRow()), static_cast<int>(wParam));
          ShowGrid();
          return true;
      }
    case WM_CHAR:
    case WM_SYSCHAR:
      return true;  // no search by the rows' first letters: keys are the rows' values
    default:
      return false;
  }
}

}  // namespace korvane::platform::win32
