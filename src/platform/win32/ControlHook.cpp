#include "platform/win32/ControlHook.h"

#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

namespace {

constexpr wchar_t kOriginal[] = L"Korvane.HookOriginal";
constexpr wchar_t kHook[] = L"Korvane.Hook";

LRESULT CALLBACK HookedProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(control, kOriginal));
  const auto* hook = static_cast<const ControlHook*>(GetPropW(control, kHook));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(control, kOriginal);
    RemovePropW(control, kHook);
  } else if (hook) {
    try {
      LRESULT result = 0;
      if ((*hook)(message, wParam, lParam, result)) return result;
    } catch (...) {
      // The key is dropped; nothing unwinds through the window system.
      WindowObject::ReportCaughtError();
      return 0;
    }
  }
  return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace

void HookControl(HWND control, const ControlHook* hook) {
  if (!control) return;
  SetPropW(control, kHook, const_cast<ControlHook*>(hook));
  SetPropW(control, kOriginal,
           reinterpret_cast<HANDLE>(SetWindowLongPtrW(
               control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedProcedure))));
}

}  // namespace korvane::platform::win32
