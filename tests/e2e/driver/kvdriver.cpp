// kvdriver: looks at and drives windows from inside the Wine prefix that runs Korvane.exe, for the
// end-to-end tests and the benchmark. One subcommand per run; the answer is one line of JSON
// (UTF-8) on stdout (the viewer subcommand keeps running and writes its events to a file).
// Exit code 0 on success, 1 when the thing asked for was not found in time, 2 on bad usage.
//
// Calls into the windows under test go through SendMessageTimeoutW: a hung Korvane must fail the
// test, not hang the driver.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "Json.h"
#include "Previews.h"
#include "SlideTiming.h"
#include "Stress.h"
#include "Support.h"

namespace {

using kvdriver::ClassOf;
using kvdriver::Emit;
using kvdriver::Fail;
using kvdriver::FromHex;
using kvdriver::HandleValue;
using kvdriver::Json;
using kvdriver::ParseHandle;
using kvdriver::ParseInt;
using kvdriver::ProcessOf;
using kvdriver::TextOf;
using kvdriver::Utf8;
using kvdriver::Wide;

constexpr UINT kSendTimeoutMs = 2000;

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

// edit-set <hwnd> <utf8-hex>: replaces the first EDIT child's text, any characters at all
// (typing cannot give every character through the X keyboard).
int CmdEditSet(HWND hwnd, const std::wstring& text) {
  HWND edit = FirstEdit(hwnd);
  if (edit == nullptr) return Fail(1, "no EDIT child");
  DWORD_PTR set = 0;
  if (!SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &set) ||
      !set) {
    return Fail(1, "WM_SETTEXT failed");
  }
  Emit("{\"ok\":true}");
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

// clip-set-marked <utf8-hex> <format> [<dword>]: the text plus a registered format holding a
// DWORD (0 unless given), as a password manager marks a copy that clipboard tools must not keep.
int CmdClipSetMarked(const std::wstring& text, const std::wstring& format, DWORD value) {
  const UINT id = RegisterClipboardFormatW(format.c_str());
  if (id == 0) return Fail(1, "RegisterClipboardFormat failed");
  if (!OpenClipboardRetry()) return Fail(1, "clipboard busy");
  EmptyClipboard();
  auto put = [](UINT fmt, const void* data, size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    std::memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(fmt, memory) != nullptr) return true;
    GlobalFree(memory);
    return false;
  };
  bool ok = put(id, &value, sizeof value);
  ok = ok && put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  CloseClipboard();
  if (!ok) return Fail(1, "SetClipboardData failed");
  Emit("{\"ok\":true}");
  return 0;
}

// viewer <logfile> [<hang-ms>]: a clipboard viewer of its own, as other programs join the chain;
// it runs until WM_CLOSE, when it leaves the chain. One JSON line per event, appended and on
// disk at once so that a test reads it while the viewer runs: "joined" (with its window), each
// WM_DRAWCLIPBOARD with the text it read, each WM_CHANGECBCHAIN, "left". With hang-ms it hangs
// that long inside the first WM_DRAWCLIPBOARD after the one of joining ("hang", "hang-end"),
// as a program that stops answering does.
struct Viewer {
  HANDLE log = INVALID_HANDLE_VALUE;
  HWND next = nullptr;
  bool joined = false;
  int draws = 0;
  long hangMs = 0;

  void Write(Json& j) {
    std::string line = j.Text() + "\n";
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
};

Viewer g_viewer;

std::wstring ReadClipboardText(HWND owner, bool& present) {
  present = false;
  std::wstring text;
  for (int attempt = 0; attempt < 40 && !OpenClipboard(owner); ++attempt) Sleep(25);
  if (GetOpenClipboardWindow() != owner) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      present = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void LeaveChain(HWND hwnd) {
  if (!g_viewer.joined) return;
  g_viewer.joined = false;
  ChangeClipboardChain(hwnd, g_viewer.next);
  Json j;
  j.Begin().Str("event", std::string("left")).End();
  g_viewer.Write(j);
}

LRESULT CALLBACK ViewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD: {
      bool present = false;
      std::wstring text = ReadClipboardText(hwnd, present);
      Json j;
      j.Begin()
          .Str("event", std::string("draw"))
          .Int("seq", ++g_viewer.draws)
          .Bool("present", present)
          .Str("text", text.size() > 200 ? text.substr(0, 200) : text)
          .Int("length", static_cast<long long>(text.size()))
          .Int("next", HandleValue(g_viewer.next))
          .End();
      g_viewer.Write(j);
      if (g_viewer.hangMs > 0 && g_viewer.draws == 2) {
        Json hang;
        hang.Begin().Str("event", std::string("hang")).Int("ms", g_viewer.hangMs).End();
        g_viewer.Write(hang);
        Sleep(static_cast<DWORD>(g_viewer.hangMs));
        Json end;
        end.Begin().Str("event", std::string("hang-end")).End();
        g_viewer.Write(end);
      }
      if (g_viewer.next != nullptr) SendMessageW(g_viewer.next, message, wParam, lParam);
      return 0;
    }
    case WM_CHANGECBCHAIN: {
      Json j;
      j.Begin()
          .Str("event", std::string("changecbchain"))
          .Int("remove", HandleValue(reinterpret_cast<HWND>(wParam)))
          .Int("next", HandleValue(reinterpret_cast<HWND>(lParam)))
          .End();
      g_viewer.Write(j);
      if (reinterpret_cast<HWND>(wParam) == g_viewer.next) {
        g_viewer.next = reinterpret_cast<HWND>(lParam);
      } else if (g_viewer.next != nullptr) {
        SendMessageW(g_viewer.next, message, wParam, lParam);
      }
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      LeaveChain(hwnd);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

int CmdViewer(const std::wstring& logFile, long hangMs) {
  g_viewer.hangMs = hangMs;
  g_viewer.log = CreateFileW(logFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_viewer.log == INVALID_HANDLE_VALUE) return Fail(1, "cannot open the log file");
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ViewerProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KvDriverViewer";
  RegisterClassW(&wc);
  // A hidden top-level window: the chain takes any window, and nothing of it shows on screen.
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"kvdriver viewer", WS_POPUP, 0, 0, 1, 1,
                              nullptr, nullptr, wc.hInstance, nullptr);
  if (hwnd == nullptr) return Fail(1, "CreateWindow failed");
  g_viewer.joined = true;
  g_viewer.next = SetClipboardViewer(hwnd);
  {
    Json j;
    j.Begin()
        .Str("event", std::string("joined"))
        .Int("hwnd", HandleValue(hwnd))
        .Int("next", HandleValue(g_viewer.next))
        .Int("pid", static_cast<long long>(GetCurrentProcessId()))
        .End();
    g_viewer.Write(j);
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  CloseHandle(g_viewer.log);
  Emit("{\"ok\":true}");
  return 0;
}

// The benchmark's stopwatch: the timing is taken here, inside the prefix, so that starting a Wine
// process for each look does not count.

double Milliseconds(const LARGE_INTEGER& from) {
  LARGE_INTEGER now = {};
  LARGE_INTEGER frequency = {};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
  DWORD pid;
  const std::wstring* caption;
  HWND found;
};

// time-start <exe> <caption> [timeout-ms]: starts the program and measures until a visible
// top-level window of its process has the caption; then closes it with WM_CLOSE and waits for
// the process to end. Answers {"ms":..., "close_ms":..., "exit":...}.
int CmdTimeStart(const std::wstring& exe, const std::wstring& caption, long timeout) {
  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER started = {};
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return Fail(1, "CreateProcess failed");
  }
  WindowSearch search = {process.dwProcessId, &caption, nullptr};
  double ms = -1;
  while (Milliseconds(started) < timeout) {
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<WindowSearch*>(param);
          if (ProcessOf(hwnd) != s->pid || !IsWindowVisible(hwnd)) return TRUE;
          wchar_t buf[256] = {};
          InternalGetWindowText(hwnd, buf, 256);
          if (*s->caption != buf) return TRUE;
          s->found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      ms = Milliseconds(started);
      break;
    }
    Sleep(1);
  }
  LARGE_INTEGER closed = {};
  QueryPerformanceCounter(&closed);
  if (search.found != nullptr) PostMessageW(search.found, WM_CLOSE, 0, 0);
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout)) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  const double closeMs = Milliseconds(closed);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (ms < 0) return Fail(1, "no window with that caption in time");
  char buf[128];
  std::snprintf(buf, sizeof buf, "{\"ms\":%.3f,\"close_ms\":%.3f,\"exit\":%lu}", ms, closeMs,
                static_cast<unsigned long>(code));
  Emit(buf);
  return 0;
}

struct TextSearch {
  const std::wstring* text;
  bool found;
};

BOOL CALLBACK FindVisibleText(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<TextSearch*>(param);
  if (!IsWindowVisible(hwnd)) return TRUE;
  wchar_t buf[256] = {};
  InternalGetWindowText(hwnd, buf, 256);
  if (*s->text != buf) return TRUE;
  s->found = true;
  return FALSE;
}

bool ShowsText(HWND hwnd, const std::wstring& text) {
  TextSearch search = {&text, false};
  if (!FindVisibleText(hwnd, reinterpret_cast<LPARAM>(&search))) return true;
  EnumChildWindows(hwnd, FindVisibleText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool CopyToClipboard(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboardRetry()) return false;
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return ok;
}

// time-copy <hwnd> <caption-utf8-hex> <text-utf8-hex> [<total-chars>] [timeout-ms]: copies the
// text (padded with lines of filler up to the total) and measures until the window, or one of its
// visible children, shows the caption. Answers {"ms":..., "copy_ms":..., "chars":...}, copy_ms
// being the time until the copy itself was done (CloseClipboard returned).
//
// time-copy-after <hwnd> <lead-utf8-hex> <caption-utf8-hex> <text-utf8-hex> [timeout-ms]: the
// same, right after a copy of the lead text (24 characters at most) has reached the window: the
// timed copy comes while a viewer in front of the window in the chain may still be busy with
// the lead.
int CmdTimeCopy(HWND hwnd, const std::wstring& caption, std::wstring text, long total,
                long timeout, const std::wstring* lead = nullptr) {
  if (lead != nullptr) {
    if (ShowsText(hwnd, *lead)) return Fail(2, "the lead is already shown");
    if (!CopyToClipboard(*lead)) return Fail(1, "the lead copy failed");
    LARGE_INTEGER copied = {};
    QueryPerformanceCounter(&copied);
    while (!ShowsText(hwnd, *lead)) {
      if (Milliseconds(copied) > timeout) return Fail(1, "the lead did not show in time");
      Sleep(0);
    }
  }
  static const wchar_t kLine[] =
      L"0123456789 the quick brown fox jumps over the lazy dog 0123456\r\n";
  const size_t lineLength = std::wcslen(kLine);
  while (static_cast<long>(text.size()) < total) {
    const size_t missing = static_cast<size_t>(total) - text.size();
    text.append(kLine, missing < lineLength ? missing : lineLength);
  }
  if (ShowsText(hwnd, caption)) return Fail(2, "the caption is already shown");
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return Fail(1, "GlobalAlloc failed");
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboardRetry()) return Fail(1, "clipboard busy");
  LARGE_INTEGER started = {};
  QueryPerformanceCounter(&started);
  EmptyClipboard();
  bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!ok) return Fail(1, "SetClipboardData failed");
  // The copy's own share: what every viewer waits for before it can begin.
  const double copied = Milliseconds(started);
  while (Milliseconds(started) < timeout) {
    if (ShowsText(hwnd, caption)) {
      char buf[128];
      std::snprintf(buf, sizeof buf, "{\"ms\":%.3f,\"copy_ms\":%.3f,\"chars\":%zu}",
                    Milliseconds(started), copied, text.size());
      Emit(buf);
      return 0;
    }
    Sleep(1);
  }
  return Fail(1, "the caption did not show in time");
}

// post <hwnd> <message> <wparam> <lparam>: posts a message, as the shell posts the tray icon's
// mouse events (a sent one would wait for the popup menu it opens to close).
int CmdPost(HWND hwnd, long message, long wParam, long lParam) {
  if (!PostMessageW(hwnd, static_cast<UINT>(message), static_cast<WPARAM>(wParam),
                    static_cast<LPARAM>(lParam))) {
    return Fail(1, "PostMessage failed");
  }
  Emit("{\"posted\":true}");
  return 0;
}

// tray <hwnd> <id>: whether the notification area holds that window's icon. Changing nothing
// of an icon succeeds only for an icon that is there.
int CmdTray(HWND hwnd, long id) {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof data;
  data.hWnd = hwnd;
  data.uID = static_cast<UINT>(id);
  data.uFlags = 0;
  const bool present = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  Json j;
  j.Begin().Bool("present", present).End();
  Emit(j.Text());
  return 0;
}

// hold-hotkey <modifiers> <vk> <logfile>: registers a global hotkey, as another program holding
// the combination would, and runs until killed; the log gets "registered" (or "refused") and a
// "hotkey" line for each press.
HANDLE g_holdLog = INVALID_HANDLE_VALUE;

void HoldLog(const char* line) {
  DWORD written = 0;
  std::string text = std::string(line) + "\n";
  WriteFile(g_holdLog, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int CmdHoldHotKey(long modifiers, long key, const std::wstring& logFile) {
  g_holdLog = CreateFileW(logFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_holdLog == INVALID_HANDLE_VALUE) return Fail(1, "cannot open the log file");
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"kvdriver hotkey", WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  const bool ok = RegisterHotKey(hwnd, 1, static_cast<UINT>(modifiers), static_cast<UINT>(key));
  HoldLog(ok ? "registered" : "refused");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_HOTKEY) HoldLog("hotkey");
    DispatchMessageW(&msg);
  }
  return 0;
}

// hide <hwnd>: hides a window, as a program hides its own.
int CmdHide(HWND hwnd) {
  ShowWindow(hwnd, SW_HIDE);
  Json j;
  j.Begin().Bool("visible", IsWindowVisible(hwnd) != FALSE).End();
  Emit(j.Text());
  return 0;
}

// select <hwnd> <start> <end>: selects characters in the window's first EDIT child.
int CmdSelect(HWND hwnd, long start, long end) {
  HWND edit = FirstEdit(hwnd);
  if (edit == nullptr) return Fail(1, "no EDIT child");
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
  return CmdEditText(hwnd);
}

// keys <logfile>: a window with an edit field that logs the keys reaching it, for shortcuts
// whose effect no editor here shows (Wine's notepad has no redo). It runs until WM_CLOSE; the log
// gets "ready" (with both windows) and one line per WM_KEYDOWN or WM_KEYUP of the edit field.
HANDLE g_keysLog = INVALID_HANDLE_VALUE;
WNDPROC g_keysEditProc = nullptr;

void KeysLog(Json& j) {
  std::string line = j.Text() + "\n";
  DWORD written = 0;
  WriteFile(g_keysLog, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

LRESULT CALLBACK KeysEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
      message == WM_SYSKEYUP) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    Json j;
    j.Begin()
        .Str("event", std::string(down ? "down" : "up"))
        .Int("vk", static_cast<long long>(wParam))
        .Bool("ctrl", GetKeyState(VK_CONTROL) < 0)
        .End();
    KeysLog(j);
  }
  return CallWindowProcW(g_keysEditProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK KeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:  // the edit field has the focus whenever the window is active
      if (HWND edit = GetWindow(hwnd, GW_CHILD)) SetFocus(edit);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

int CmdKeys(const std::wstring& logFile) {
  g_keysLog = CreateFileW(logFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_keysLog == INVALID_HANDLE_VALUE) return Fail(1, "cannot open the log file");
  WNDCLASSW wc = {};
  wc.lpfnWndProc = KeysProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"KvDriverKeys";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"kvdriver keys",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                              wc.hInstance, nullptr);
  if (hwnd == nullptr) return Fail(1, "CreateWindow failed");
  RECT client = {};
  GetClientRect(hwnd, &client);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0,
                              client.right, client.bottom, hwnd, nullptr, wc.hInstance, nullptr);
  g_keysEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeysEditProc)));
  {
    Json j;
    j.Begin()
        .Str("event", std::string("ready"))
        .Int("hwnd", HandleValue(hwnd))
        .Int("edit", HandleValue(edit))
        .End();
    KeysLog(j);
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  CloseHandle(g_keysLog);
  return 0;
}

// gui <hwnd>: the input state of the window's thread, as the system keeps it for every thread:
// whether it is in a window's move or size loop (a drag) or a menu, and which windows hold the
// mouse capture and the loop.
int CmdGui(HWND hwnd) {
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &gui)) {
    return Fail(1, "GetGUIThreadInfo failed");
  }
  Json j;
  j.Begin()
      .Bool("move_size", (gui.flags & GUI_INMOVESIZE) != 0)
      .Bool("menu", (gui.flags & GUI_INMENUMODE) != 0)
      .Int("capture", HandleValue(gui.hwndCapture))
      .Int("move_size_window", HandleValue(gui.hwndMoveSize))
      .End();
  Emit(j.Text());
  return 0;
}

int Usage() {
  return Fail(2,
              "usage: kvdriver find <caption> [timeout-ms] [--hidden] [--class] | list | "
              "info <hwnd> | children <hwnd> | edit-text <hwnd> | edit-set <hwnd> <utf8-hex> | "
              "close <hwnd> | "
              "activate <hwnd> | move <hwnd> <x> <y> <w> <h> | foreground | "
              "clip-get | clip-set [<text>] | clip-set-hex <utf8-hex> | "
              "clip-set-marked <utf8-hex> <format> [<dword>] | pixel <x> <y> | "
              "viewer <logfile> [<hang-ms>] | clip-hold <utf8-hex> <hold-ms> | "
              "copy-flood <interval-ms> <duration-ms> | send <hwnd> <msg> <wparam> <lparam> | "
              "time-slide <hwnd> <other-hwnd> [<timeout-ms>] | preview <hwnd> | "
              "time-preview <hwnd> <x> <y> <timeout-ms> | "
              "time-start <exe> <caption> [<timeout-ms>] | "
              "time-copy <hwnd> <caption-utf8-hex> <text-utf8-hex> [<chars>] [<timeout-ms>] | "
              "time-copy-after <hwnd> <lead-utf8-hex> <caption-utf8-hex> <text-utf8-hex> "
              "[<timeout-ms>] | "
              "post <hwnd> <msg> <wparam> <lparam> | tray <hwnd> <id> | "
              "hold-hotkey <modifiers> <vk> <logfile> | select <hwnd> <start> <end> | "
              "keys <logfile> | hide <hwnd> | gui <hwnd> | "
              "dialog <caption-utf8-hex> <pid> [<timeout-ms>] | "
              "press <dialog-hwnd> <caption-utf8-hex> | list-click <dialog-hwnd> <index> | "
              "grid <list-view-hwnd>");
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
  if (command == L"clip-set-marked") {
    std::string bytes;
    long value = 0;
    if (rest < 2 || rest > 3 || !FromHex(args[0], bytes) ||
        (rest == 3 && !ParseInt(args[2], value))) {
      return Usage();
    }
    return CmdClipSetMarked(Wide(bytes), args[1], static_cast<DWORD>(value));
  }
  if (command == L"viewer") {
    long hangMs = 0;
    if (rest < 1 || rest > 2 || (rest == 2 && !ParseInt(args[1], hangMs))) return Usage();
    return CmdViewer(args[0], hangMs);
  }
  if (command == L"clip-hold") {
    std::string bytes;
    long holdMs = 0;
    if (rest != 2 || !FromHex(args[0], bytes) || !ParseInt(args[1], holdMs)) return Usage();
    return kvdriver::CmdClipHold(Wide(bytes), holdMs);
  }
  if (command == L"copy-flood") {
    long interval = 0;
    long duration = 0;
    if (rest != 2 || !ParseInt(args[0], interval) || !ParseInt(args[1], duration)) return Usage();
    return kvdriver::CmdCopyFlood(interval, duration);
  }
  if (command == L"send") return kvdriver::CmdSend(args, rest);
  if (command == L"time-slide") return kvdriver::CmdTimeSlide(args, rest);
  if (command == L"preview") return kvdriver::CmdPreview(args, rest);
  if (command == L"time-preview") return kvdriver::CmdTimePreview(args, rest);
  if (command == L"keys") {
    if (rest != 1) return Usage();
    return CmdKeys(args[0]);
  }
  if (command == L"time-start") {
    long timeout = 30000;
    if (rest < 2 || rest > 3 || (rest == 3 && !ParseInt(args[2], timeout))) return Usage();
    return CmdTimeStart(args[0], args[1], timeout);
  }
  if (command == L"time-copy") {
    HWND target = nullptr;
    std::string caption;
    std::string text;
    long total = 0;
    long timeout = 10000;
    if (rest < 3 || rest > 5 || !ParseHandle(args[0], target) || !FromHex(args[1], caption) ||
        !FromHex(args[2], text) || (rest >= 4 && !ParseInt(args[3], total)) ||
        (rest == 5 && !ParseInt(args[4], timeout))) {
      return Usage();
    }
    if (!IsWindow(target)) return Fail(1, "no such window");
    return CmdTimeCopy(target, Wide(caption), Wide(text), total, timeout);
  }
  if (command == L"time-copy-after") {
    HWND target = nullptr;
    std::string lead;
    std::string caption;
    std::string text;
    long timeout = 10000;
    if (rest < 4 || rest > 5 || !ParseHandle(args[0], target) || !FromHex(args[1], lead) ||
        !FromHex(args[2], caption) || !FromHex(args[3], text) ||
        (rest == 5 && !ParseInt(args[4], timeout))) {
      return Usage();
    }
    if (!IsWindow(target)) return Fail(1, "no such window");
    const std::wstring leadText = Wide(lead);
    return CmdTimeCopy(target, Wide(caption), Wide(text), 0, timeout, &leadText);
  }
  if (command == L"pixel") {
    long x = 0;
    long y = 0;
    if (rest != 2 || !ParseInt(args[0], x) || !ParseInt(args[1], y)) return Usage();
    return CmdPixel(x, y);
  }

  if (command == L"dialog") return kvdriver::CmdDialog(args, rest);
  if (command == L"press") return kvdriver::CmdPress(args, rest);
  if (command == L"list-click") return kvdriver::CmdListClick(args, rest);
  if (command == L"grid") return kvdriver::CmdGrid(args, rest);

  if (command == L"hold-hotkey") {
    long modifiers = 0;
    long key = 0;
    if (rest != 3 || !ParseInt(args[0], modifiers) || !ParseInt(args[1], key)) return Usage();
    return CmdHoldHotKey(modifiers, key, args[2]);
  }

  HWND hwnd = nullptr;
  if (rest < 1 || !ParseHandle(args[0], hwnd)) return Usage();
  if (command == L"tray") {
    long id = 0;
    if (rest != 2 || !ParseInt(args[1], id)) return Usage();
    return CmdTray(hwnd, id);  // answers for windows that are gone as well
  }
  if (!IsWindow(hwnd)) return Fail(1, "no such window");
  if (command == L"post" || command == L"select") {
    long v[3] = {};
    const int needed = command == L"post" ? 3 : 2;
    for (int i = 0; i < needed; ++i) {
      if (rest != needed + 1 || !ParseInt(args[i + 1], v[i])) return Usage();
    }
    return command == L"post" ? CmdPost(hwnd, v[0], v[1], v[2]) : CmdSelect(hwnd, v[0], v[1]);
  }
  if (command == L"move") {
    long v[4] = {};
    for (int i = 0; i < 4; ++i) {
      if (rest != 5 || !ParseInt(args[i + 1], v[i])) return Usage();
    }
    return CmdMove(hwnd, v[0], v[1], v[2], v[3]);
  }
  if (command == L"edit-set") {
    std::string bytes;
    if (rest != 2 || !FromHex(args[1], bytes)) return Usage();
    return CmdEditSet(hwnd, Wide(bytes));
  }
  if (rest != 1) return Usage();
  if (command == L"info") return CmdInfo(hwnd);
  if (command == L"children") return CmdChildren(hwnd);
  if (command == L"edit-text") return CmdEditText(hwnd);
  if (command == L"close") return CmdClose(hwnd);
  if (command == L"activate") return CmdActivate(hwnd);
  if (command == L"hide") return CmdHide(hwnd);
  if (command == L"gui") return CmdGui(hwnd);
  return Usage();
}
