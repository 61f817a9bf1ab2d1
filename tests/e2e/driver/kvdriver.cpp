// kvdriver: looks at and drives windows from inside the Wine prefix that runs Korvane.exe, for the
// end-to-end tests. One subcommand per run; the answer is one line of JSON (UTF-8) on stdout.
// Exit code 0 on success, 1 when the thing asked for was not found in time, 2 on bad usage.
//
// Calls into the windows under test go through SendMessageTimeoutW: a hung Korvane must fail the
// test, not hang the driver.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "Json.h"

namespace {

using kvdriver::Json;
using kvdriver::Utf8;
using kvdriver::Wide;

constexpr UINT kSendTimeoutMs = 2000;

// Written with WriteFile, not stdio: the bytes must reach the pipe as UTF-8, untranslated.
void Emit(const std::string& line) {
  std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

int Fail(int code, const std::string& message) {
  Json j;
  j.Begin().Str("error", message).End();
  Emit(j.Text());
  return code;
}

bool ParseHandle(const wchar_t* text, HWND& hwnd) {
  wchar_t* end = nullptr;
  unsigned long long value = std::wcstoull(text, &end, 0);
  if (end == text || *end != L'\0') return false;
  hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
  return true;
}

bool ParseInt(const wchar_t* text, long& value) {
  wchar_t* end = nullptr;
  value = std::wcstol(text, &end, 0);
  return end != text && *end == L'\0';
}

long long HandleValue(HWND hwnd) {
  return static_cast<long long>(reinterpret_cast<ULONG_PTR>(hwnd));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buf[256] = {};
  GetClassNameW(hwnd, buf, 256);
  return buf;
}

// The text as the window itself answers WM_GETTEXT (a control may keep its own caption);
// the text the system keeps for the window when it does not answer in time.
std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                          &length)) {
    std::vector<wchar_t> buf(length + 2, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
      return std::wstring(buf.data(), wcsnlen(buf.data(), buf.size()));
    }
  }
  wchar_t buf[1024] = {};
  InternalGetWindowText(hwnd, buf, 1024);
  return buf;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

void WindowSummary(Json& j, HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  j.Int("hwnd", HandleValue(hwnd))
      .Str("caption", TextOf(hwnd))
      .Str("class", ClassOf(hwnd))
      .Int("pid", ProcessOf(hwnd))
      .Bool("visible", IsWindowVisible(hwnd) != FALSE)
      .Int("owner", HandleValue(GetWindow(hwnd, GW_OWNER)))
      .Rect("rect", rect);
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// find <caption> [timeout-ms] [--hidden] [--class]: the first visible top-level window (in
// window order) whose caption is exactly <caption>; with --hidden, hidden ones count too; with
// --class, <caption> is the window class name instead.
int CmdFind(int argc, wchar_t** argv) {
  if (argc < 1) return Fail(2, "usage: find <caption> [timeout-ms] [--hidden] [--class]");
  std::wstring caption = argv[0];
  long timeout = 0;
  bool hidden = false;
  bool byClass = false;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--hidden") == 0) {
      hidden = true;
    } else if (std::wcscmp(argv[i], L"--class") == 0) {
      byClass = true;
    } else if (!ParseInt(argv[i], timeout)) {
      return Fail(2, "bad timeout");
    }
  }
  DWORD deadline = GetTickCount() + static_cast<DWORD>(timeout);
  for (;;) {
    for (HWND hwnd : TopLevelWindows()) {
      if (!hidden && !IsWindowVisible(hwnd)) continue;
      wchar_t buf[512] = {};
      if (byClass) {
        GetClassNameW(hwnd, buf, 512);
      } else {
        InternalGetWindowText(hwnd, buf, 512);
      }
      if (caption == buf) {
        Json j;
        j.Begin();
        WindowSummary(j, hwnd);
        j.End();
        Emit(j.Text());
        return 0;
      }
    }
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) break;
    Sleep(50);
  }
  return Fail(
      1, std::string(byClass ? "no window of class " : "no window with caption ") + Utf8(caption));
}

// list: every top-level window, in window order (top first).
int CmdList() {
  Json j;
  j.Begin().BeginArray("windows");
  for (HWND hwnd : TopLevelWindows()) {
    j.Begin();
    WindowSummary(j, hwnd);
    j.End();
  }
  j.EndArray().End();
  Emit(j.Text());
  return 0;
}

int CmdInfo(HWND hwnd) {
  RECT client = {};
  GetClientRect(hwnd, &client);
  HWND owner = GetWindow(hwnd, GW_OWNER);
  Json j;
  j.Begin();
  WindowSummary(j, hwnd);
  j.Hex("style", static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)))
      .Hex("exstyle", static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)))
      .Bool("owner_visible", owner != nullptr && IsWindowVisible(owner))
      .Str("owner_caption", owner != nullptr ? TextOf(owner) : std::wstring())
      .Int("parent", HandleValue(GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow()
                                     ? nullptr
                                     : GetAncestor(hwnd, GA_PARENT)))
      .Rect("client", client)
      .End();
  Emit(j.Text());
  return 0;
}

// children <hwnd>: every descendant in creation order, with rectangles in its parent's client
// coordinates and on the screen, and the BM_GETCHECK answer (toggle buttons give it).
int CmdChildren(HWND hwnd) {
  std::vector<HWND> found;
  EnumChildWindows(
      hwnd,
      [](HWND child, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  Json j;
  j.Begin().BeginArray("children");
  for (HWND child : found) {
    RECT screen = {};
    GetWindowRect(child, &screen);
    HWND parent = GetParent(child);
    RECT local = screen;
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&local), 2);
    DWORD_PTR check = 0;
    if (!SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &check)) {
      check = static_cast<DWORD_PTR>(-1);
    }
    j.Begin()
        .Int("hwnd", HandleValue(child))
        .Int("parent", HandleValue(parent))
        .Str("class", ClassOf(child))
        .Str("text", TextOf(child))
        .Rect("rect", local)
        .Rect("screen", screen)
        .Bool("visible", IsWindowVisible(child) != FALSE)
        .Int("check", static_cast<long long>(static_cast<LONG_PTR>(check)))
        .Hex("style", static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)))
        .End();
  }
  j.EndArray().End();
  Emit(j.Text());
  return 0;
}

HWND FirstEdit(HWND hwnd) {
  HWND found = nullptr;
  EnumChildWindows(
      hwnd,
      [](HWND child, LPARAM param) -> BOOL {
        if (_wcsicmp(ClassOf(child).c_str(), L"Edit") == 0) {
          *reinterpret_cast<HWND*>(param) = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// edit-text <hwnd>: the first EDIT child's text and selection (the caret is where both meet).
int CmdEditText(HWND hwnd) {
  HWND edit = FirstEdit(hwnd);
  if (edit == nullptr) return Fail(1, "no EDIT child");
  DWORD_PTR selection = 0;
  SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &selection);
  Json j;
  j.Begin()
      .Int("hwnd", HandleValue(edit))
      .Str("text", TextOf(edit))
      .Int("sel_start", LOWORD(selection))
      .Int("sel_end", HIWORD(selection))
      .End();
  Emit(j.Text());
  return 0;
}

int CmdClose(HWND hwnd) {
  if (!PostMessageW(hwnd, WM_CLOSE, 0, 0)) return Fail(1, "PostMessage failed");
  Emit("{\"posted\":true}");
  return 0;
}

int CmdForeground() {
  HWND hwnd = GetForegroundWindow();
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  DWORD thread = hwnd != nullptr ? GetWindowThreadProcessId(hwnd, nullptr) : 0;
  if (thread == 0 || !GetGUIThreadInfo(thread, &gui)) gui.hwndFocus = nullptr;
  Json j;
  j.Begin()
      .Int("hwnd", HandleValue(hwnd))
      .Str("caption", hwnd != nullptr ? TextOf(hwnd) : std::wstring())
      .Str("class", hwnd != nullptr ? ClassOf(hwnd) : std::wstring())
      .Int("pid", hwnd != nullptr ? ProcessOf(hwnd) : 0)
      .Int("focus", HandleValue(gui.hwndFocus))
      .End();
  Emit(j.Text());
  return 0;
}

// activate <hwnd>: put the window on top and in the foreground, as a user's click would with a
// window manager.
int CmdActivate(HWND hwnd) {
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  BOOL ok = SetForegroundWindow(hwnd);
  Json j;
  j.Begin().Bool("ok", ok != FALSE).Int("foreground", HandleValue(GetForegroundWindow())).End();
  Emit(j.Text());
  return 0;
}

// move <hwnd> <x> <y> <width> <height>: place a window (tests keep windows from overlapping,
// since without a window manager a click goes to whatever X window is on top there).
int CmdMove(HWND hwnd, long x, long y, long width, long height) {
  BOOL ok = SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!ok) return Fail(1, "SetWindowPos failed");
  Emit("{\"ok\":true}");
  return 0;
}

// The clipboard may be held open by another process for a moment.
bool OpenClipboardRetry() {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(50);
  }
  return false;
}

int CmdClipGet() {
  if (!OpenClipboardRetry()) return Fail(1, "clipboard busy");
  std::wstring text;
  bool present = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      present = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  Json j;
  j.Begin().Bool("present", present).Str("text", text).End();
  Emit(j.Text());
  return 0;
}

// clip-set <text> puts a text on the clipboard; clip-set with no text empties it.
int CmdClipSet(const std::wstring* text) {
  if (!OpenClipboardRetry()) return Fail(1, "clipboard busy");
  EmptyClipboard();
  bool ok = true;
  if (text != nullptr) {
    size_t bytes = (text->size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    ok = memory != nullptr;
    if (ok) {
      std::memcpy(GlobalLock(memory), text->c_str(), bytes);
      GlobalUnlock(memory);
      ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      if (!ok) GlobalFree(memory);
    }
  }
  CloseClipboard();
  if (!ok) return Fail(1, "SetClipboardData failed");
  Emit("{\"ok\":true}");
  return 0;
}

bool FromHex(const std::wstring& hex, std::string& out) {
  if (hex.size() % 2 != 0) return false;
  for (size_t i = 0; i < hex.size(); i += 2) {
    wchar_t pair[3] = {hex[i], hex[i + 1], L'\0'};
    wchar_t* end = nullptr;
    unsigned long byte = std::wcstoul(pair, &end, 16);
    if (end != pair + 2) return false;
    out += static_cast<char>(byte);
  }
  return true;
}

int CmdPixel(long x, long y) {
  HDC dc = GetDC(nullptr);
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  if (colour == CLR_INVALID) return Fail(1, "GetPixel failed");
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  Json j;
  j.Begin().Str("rgb", std::string(buf)).End();
  Emit(j.Text());
  return 0;
}

int Usage() {
  return Fail(2,
              "usage: kvdriver find <caption> [timeout-ms] [--hidden] [--class] | list | "
              "info <hwnd> | children <hwnd> | edit-text <hwnd> | close <hwnd> | "
              "activate <hwnd> | move <hwnd> <x> <y> <w> <h> | foreground | "
              "clip-get | clip-set [<text>] | clip-set-hex <utf8-hex> | pixel <x> <y>");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  std::wstring command = argv[1];
  int rest = argc - 2;
  wchar_t** args = argv + 2;

  if (command == L"find") return CmdFind(rest, args);
  if (command == L"list") return CmdList();
  if (command == L"foreground") return CmdForeground();
  if (command == L"clip-get") return CmdClipGet();
  if (command == L"clip-set") {
    if (rest == 0) return CmdClipSet(nullptr);
    std::wstring text = args[0];
    return CmdClipSet(&text);
  }
  if (command == L"clip-set-hex") {
    // Arguments cross the Unix/Windows border through the locale; hex keeps any text intact.
    std::string bytes;
    if (rest != 1 || !FromHex(args[0], bytes)) return Usage();
    std::wstring text = Wide(bytes);
    return CmdClipSet(&text);
  }
  if (command == L"pixel") {
    long x = 0;
    long y = 0;
    if (rest != 2 || !ParseInt(args[0], x) || !ParseInt(args[1], y)) return Usage();
    return CmdPixel(x, y);
  }

  HWND hwnd = nullptr;
  if (rest < 1 || !ParseHandle(args[0], hwnd)) return Usage();
  if (!IsWindow(hwnd)) return Fail(1, "no such window");
  if (command == L"move") {
    long v[4] = {};
    for (int i = 0; i < 4; ++i) {
      if (rest != 5 || !ParseInt(args[i + 1], v[i])) return Usage();
    }
    return CmdMove(hwnd, v[0], v[1], v[2], v[3]);
  }
  if (rest != 1) return Usage();
  if (command == L"info") return CmdInfo(hwnd);
  if (command == L"children") return CmdChildren(hwnd);
  if (command == L"edit-text") return CmdEditText(hwnd);
  if (command == L"close") return CmdClose(hwnd);
  if (command == L"activate") return CmdActivate(hwnd);
  return Usage();
}
