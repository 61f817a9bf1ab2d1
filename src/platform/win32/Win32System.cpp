#include "platform/win32/Win32System.h"

#include <shellapi.h>

#include "platform/win32/Resource.h"
#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

Win32System::~Win32System() {
  if (mutex_) CloseHandle(mutex_);
}

std::uint32_t Win32System::CreateInstanceMutex(const std::string& name) {
  const HANDLE mutex = CreateMutexW(nullptr, TRUE, ToWide(name).c_str());
  const DWORD error = GetLastError();
  // Kept even when another process made it first: the name stays taken as long as any
  // handle is open, which is harmless, and the caller ends soon after.
  if (mutex) {
    if (mutex_) CloseHandle(mutex_);
    mutex_ = mutex;
  }
  return error;
}

void Win32System::ReleaseInstanceMutex() {
  if (mutex_) ReleaseMutex(mutex_);
}

bool Win32System::AddTrayIcon(WindowHandle window, std::uint32_t id,
                              std::uint32_t callbackMessage, const std::string& tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = ToHwnd(window);
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage;
  data.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                             MAKEINTRESOURCEW(IDI_KORVANE), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  lstrcpynW(data.szTip, ToWide(tip).c_str(), ARRAYSIZE(data.szTip));
  return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool Win32System::DeleteTrayIcon(WindowHandle window, std::uint32_t id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = ToHwnd(window);
  data.uID = id;
  return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

std::uint32_t Win32System::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

std::uint16_t Win32System::GlobalAddAtom(const std::string& name) {
  return GlobalAddAtomW(ToWide(name).c_str());
}

void Win32System::GlobalDeleteAtom(std::uint16_t atom) { ::GlobalDeleteAtom(atom); }

bool Win32System::RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                 std::uint32_t virtualKey) {
  return ::RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey) != FALSE;
}

bool Win32System::UnregisterHotKey(WindowHandle window, int id) {
  return ::UnregisterHotKey(ToHwnd(window), id) != FALSE;
}

}  // namespace korvane::platform::win32
