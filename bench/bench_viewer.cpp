// The capture yardstick: a bare clipboard viewer that reads each copied text out of the clipboard
// and shows its first 24 characters as its window text, and nothing more (no code page, no
// memory table, no layout).
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

HWND g_next = nullptr;
std::wstring g_text;

void ReadClipboard(HWND hwnd) {
  // Another viewer in front of us may still hold the clipboard open, reading the same copy:
  // a viewer waits its turn rather than miss the copy.
  int attempt = 0;
  while (!OpenClipboard(hwnd)) {
    if (++attempt == 1000) return;
    Sleep(attempt < 10 ? 0 : 1);
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      g_text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  SetWindowTextW(hwnd, g_text.substr(0, 24).c_str());
}

LRESULT CALLBACK ViewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
      ReadClipboard(hwnd);
      if (g_next != nullptr) SendMessageW(g_next, message, wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wParam) == g_next) {
        g_next = reinterpret_cast<HWND>(lParam);
      } else if (g_next != nullptr) {
        SendMessageW(g_next, message, wParam, lParam);
      }
      return 0;
    case WM_DESTROY:
      ChangeClipboardChain(hwnd, g_next);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ViewerProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"KvBenchViewer";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"KvBenchViewer", WS_POPUP, 100,
                              100, 191, 45, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;
  ShowWindow(hwnd, SW_SHOW);
  g_next = SetClipboardViewer(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
