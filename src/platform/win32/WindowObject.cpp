#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

WindowObject::~WindowObject() { DestroyOwnWindow(); }

void WindowObject::RegisterClassOnce(const wchar_t* className, UINT classStyle, HICON icon) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, className, &existing)) return;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = &WindowObject::Procedure;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

bool WindowObject::CreateOwnWindow(const wchar_t* className, const wchar_t* caption,
                                   DWORD exStyle, DWORD style, HWND parentOrOwner) {
  CreateWindowExW(exStyle, className, caption, style, 0, 0, 0, 0, parentOrOwner, nullptr,
                  GetModuleHandleW(nullptr), this);
  return hwnd_ != nullptr;
}

void WindowObject::DestroyOwnWindow() {
  const HWND hwnd = hwnd_;
  if (!hwnd) return;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

LRESULT CALLBACK WindowObject::Procedure(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  WindowObject* self;
  if (message == WM_NCCREATE) {
    self = static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<WindowObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is going without its owner's say (its parent was destroyed, say): the
    // object must not use the handle any more.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
