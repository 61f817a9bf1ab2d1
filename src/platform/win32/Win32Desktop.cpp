#include "platform/win32/Win32Desktop.h"

#include "platform/win32/Win32Api.h"

#include "platform/win32/Colors.h"

namespace korvane::platform::win32 {

namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

bool HasKeyboardFocus(HWND window) {
  if (GetForegroundWindow() != window) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread && GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr;
}

}  // namespace

bool Win32Desktop::SetForegroundWindow(WindowHandle window) {
  return ::SetForegroundWindow(ToHwnd(window)) != FALSE;
}

void Win32Desktop::BringToTop(WindowHandle window) {
  SetWindowPos(ToHwnd(window), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Win32Desktop::WaitForKeyboardFocus(WindowHandle window, int timeoutMs) {
  const HWND target = ToHwnd(window);
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    if (HasKeyboardFocus(target)) return true;
    if (GetTickCount64() >= deadline) return false;
    // Messages other threads send us (the activation moving away from our windows) are
    // answered while we wait, or the other side would wait for us in turn.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

WindowHandle Win32Desktop::NextWindow(WindowHandle window) {
  return reinterpret_cast<WindowHandle>(GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

std::uint32_t Win32Desktop::WindowStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

void Win32Desktop::ShowWindow(WindowHandle window, bool show) {
  ::ShowWindow(ToHwnd(window), show ? SW_SHOW : SW_HIDE);
}

LResult Win32Desktop::SendMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                  LParam lParam) {
  return SendMessageW(ToHwnd(window), message, wParam, lParam);
}

bool Win32Desktop::SendMessageTimeout(WindowHandle window, std::uint32_t message, WParam wParam,
                                      LParam lParam, int timeoutMs, LResult& result) {
  const HWND target = ToHwnd(window);
  if (!target || !::IsWindow(target)) return false;
  DWORD_PTR answer = 0;
  // Messages sent to us meanwhile are still answered (SMTO_NORMAL), so a neighbour that
  // waits on us in turn cannot deadlock us.
  if (!SendMessageTimeoutW(target, message, wParam, lParam,
                           SMTO_NORMAL | SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                           static_cast<UINT>(timeoutMs > 0 ? timeoutMs : 0), &answer)) {
    return false;
  }
  result = static_cast<LResult>(answer);
  return true;
}

bool Win32Desktop::SendNotifyMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                     LParam lParam) {
  const HWND target = ToHwnd(window);
  return target && ::IsWindow(target) &&
         SendNotifyMessageW(target, message, wParam, lParam) != FALSE;
}

bool Win32Desktop::IsWindow(WindowHandle window) {
  return window != 0 && ::IsWindow(ToHwnd(window)) != FALSE;
}

bool Win32Desktop::IsCloaked(WindowHandle window) {
  // Windows 10 and later; without the library or the attribute nothing is cloaked. Loaded from
  // the system folder only: the program runs from any folder a user unpacked it into.
  using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
  static const GetAttribute get = []() -> GetAttribute {
    const HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!dwm) return nullptr;
    return reinterpret_cast<GetAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")));
  }();
  constexpr DWORD kDwmwaCloaked = 14;
  DWORD cloaked = 0;
  return get && SUCCEEDED(get(ToHwnd(window), kDwmwaCloaked, &cloaked, sizeof cloaked)) &&
         cloaked != 0;
}

WindowHandle Win32Desktop::ForegroundWindow() {
  return reinterpret_cast<WindowHandle>(GetForegroundWindow());
}

bool Win32Desktop::KeyHeld(std::uint8_t virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

void Win32Desktop::KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) {
  keybd_event(virtualKey, 0, flags, 0);
}

bool Win32Desktop::CursorPos(Point& at) {
  POINT p{};
  if (!GetCursorPos(&p)) return false;
  at = Point{p.x, p.y};
  return true;
}

bool Win32Desktop::ScreenRect(Rect& rect) {
  RECT r{};
  if (!GetWindowRect(GetDesktopWindow(), &r)) return false;
  rect = Rect{r.left, r.top, r.right, r.bottom};
  return true;
}

Color Win32Desktop::ColorToRGB(Color color) { return static_cast<Color>(ResolveColor(color)); }

}  // namespace korvane::platform::win32
