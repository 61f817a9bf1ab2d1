#include "Dialogs.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Support.h"

namespace kvdriver {

namespace {

constexpr UINT kTimeoutMs = 2000;

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs,
                           &answer)) {
    return -1;
  }
  return static_cast<LRESULT>(answer);
}

// In window order, which is the order Tab walks.
std::vector<HWND> Controls(HWND dialog) {
  std::vector<HWND> found;
  for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) found.push_back(w);
  return found;
}

HWND FindOwned(const std::wstring& caption, DWORD pid) {
  for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, caption.c_str()); w;
       w = FindWindowExW(nullptr, w, nullptr, caption.c_str())) {
    const HWND owner = GetWindow(w, GW_OWNER);
    if (owner && ProcessOf(owner) == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool IsListBox(HWND window) { return _wcsicmp(ClassOf(window).c_str(), L"ListBox") == 0; }

HWND FirstListBox(HWND dialog) {
  for (const HWND control : Controls(dialog)) {
    if (IsListBox(control)) return control;
  }
  return nullptr;
}

void ListContents(Json& j, HWND list) {
  j.BeginArray("items");
  const LRESULT count = Ask(list, LB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    std::vector<wchar_t> text(static_cast<size_t>(Ask(list, LB_GETTEXTLEN, i)) + 2, L'\0');
    Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    j.Str(nullptr, std::wstring(text.data()));
  }
  j.EndArray().Int("selection", Ask(list, LB_GETCURSEL));
}

}  // namespace

int CmdDialog(const wchar_t* const* args, int count) {
  std::string caption;
  long pid = 0;
  long timeout = 0;
  if (count < 2 || count > 3 || !FromHex(args[0], caption) || !ParseInt(args[1], pid) ||
      (count == 3 && !ParseInt(args[2], timeout))) {
    return Fail(2, "usage: dialog <caption-utf8-hex> <pid> [<timeout-ms>]");
  }
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(timeout);
  HWND dialog = nullptr;
  while (!(dialog = FindOwned(Wide(caption), static_cast<DWORD>(pid)))) {
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      return Fail(1, "no dialog with caption " + caption);
    }
    Sleep(20);
  }
  const HWND owner = GetWindow(dialog, GW_OWNER);
  const HWND focus = FocusOf(dialog);
  RECT rect{};
  GetWindowRect(dialog, &rect);
  Json j;
  j.Begin()
      .Int("hwnd", HandleValue(dialog))
      .Str("caption", TextOf(dialog))
      .Int("owner", HandleValue(owner))
      .Bool("owner_enabled", IsWindowEnabled(owner) != FALSE)
      .Hex("style", static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)))
      .Rect("rect", rect)
      .Int("default_id", LOWORD(Ask(dialog, DM_GETDEFID)))
      .Int("focus", HandleValue(focus))
      .BeginArray("controls");
  for (const HWND control : Controls(dialog)) {
    GetWindowRect(control, &rect);
    j.Begin()
        .Int("hwnd", HandleValue(control))
        .Int("id", GetDlgCtrlID(control))
        .Str("class", ClassOf(control))
        .Str("text", TextOf(control))
        .Bool("enabled", IsWindowEnabled(control) != FALSE)
        .Bool("visible", IsWindowVisible(control) != FALSE)
        .Bool("focused", control == focus)
        .Rect("rect", rect);
    if (IsListBox(control)) ListContents(j, control);
    j.End();
  }
  j.EndArray().End();
  Emit(j.Text());
  return 0;
}

int CmdPress(const wchar_t* const* args, int count) {
  HWND dialog = nullptr;
  std::string caption;
  if (count != 2 || !ParseHandle(args[0], dialog) || !FromHex(args[1], caption)) {
    return Fail(2, "usage: press <dialog-hwnd> <caption-utf8-hex>");
  }
  for (const HWND control : Controls(dialog)) {
    if (_wcsicmp(ClassOf(control).c_str(), L"Button") != 0 || TextOf(control) != Wide(caption)) {
      continue;
    }
    if (!IsWindowEnabled(control)) return Fail(1, "the button " + caption + " is disabled");
    if (!PostMessageW(control, BM_CLICK, 0, 0)) return Fail(1, "PostMessage failed");
    Emit("{\"pressed\":true}");
    return 0;
  }
  return Fail(1, "no button " + caption);
}

int CmdListClick(const wchar_t* const* args, int count) {
  HWND dialog = nullptr;
  long index = 0;
  if (count != 2 || !ParseHandle(args[0], dialog) || !ParseInt(args[1], index)) {
    return Fail(2, "usage: list-click <dialog-hwnd> <index>");
  }
  const HWND list = FirstListBox(dialog);
  if (!list) return Fail(1, "no list box");
  if (index < 0 || index >= Ask(list, LB_GETCOUNT)) return Fail(1, "no such entry");
  // Rows of one height, counted from the top one shown; the item's rectangle would need a
  // pointer that does not cross into another process.
  Ask(list, LB_SETTOPINDEX, static_cast<WPARAM>(index));
  const LRESULT top = Ask(list, LB_GETTOPINDEX);
  const LRESULT height = Ask(list, LB_GETITEMHEIGHT, 0);
  const LPARAM at = MAKELPARAM(4, (index - top) * height + height / 2);
  // Sent, not posted: the answer then shows the selection as the dialog has made it after
  // the click (its editor may choose another).
  if (Ask(list, WM_LBUTTONDOWN, MK_LBUTTON, at) == -1 || Ask(list, WM_LBUTTONUP, 0, at) == -1) {
    return Fail(1, "the list box did not answer");
  }
  Json j;
  j.Begin().Int("selection", Ask(list, LB_GETCURSEL)).End();
  Emit(j.Text());
  return 0;
}

int CmdGrid(const wchar_t* const* args, int count) {
  HWND grid = nullptr;
  if (count != 1 || !ParseHandle(args[0], grid)) return Fail(2, "usage: grid <list-view-hwnd>");
  DWORD pid = 0;
  GetWindowThreadProcessId(grid, &pid);
  const HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return Fail(1, "cannot open the list view's process");
  // The item and its text buffer live in the owner's memory: a list view reads and writes
  // them there, and nothing marshals them across processes.
  constexpr int kChars = 64;
  const SIZE_T size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT,
                                                   PAGE_READWRITE));
  if (!remote) {
    CloseHandle(process);
    return Fail(1, "VirtualAllocEx failed");
  }
  auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
  const LRESULT rows = Ask(grid, LVM_GETITEMCOUNT);
  const LRESULT focused = Ask(grid, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
  Json j;
  j.Begin().Int("focused", focused).BeginArray("rows");
  bool ok = rows >= 0;
  for (LRESULT row = 0; ok && row < rows; ++row) {
    j.BeginArray(nullptr);
    for (int column = 0; ok && column < 2; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = remoteText;
      item.cchTextMax = kChars;
      wchar_t text[kChars] = {};
      SIZE_T moved = 0;
      ok = WriteProcessMemory(process, remote, &item, sizeof item, &moved) &&
           Ask(grid, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote)) >= 0 &&
           ReadProcessMemory(process, remoteText, text, sizeof text - sizeof(wchar_t), &moved);
      j.Str(nullptr, std::wstring(text));
    }
    j.EndArray();
  }
  j.EndArray().End();
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!ok) return Fail(1, "the list view did not answer");
  Emit(j.Text());
  return 0;
}

}  // namespace kvdriver
