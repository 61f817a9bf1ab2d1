#include "platform/win32/ModalDialog.h"

#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

INT_PTR ModalDialog::Run(HWND owner, const DialogTemplate& layout) {
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.Get(), owner, &Procedure,
                                 reinterpret_cast<LPARAM>(this));
}

void ModalDialog::FocusItem(int id) {
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  ModalDialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    switch (message) {
      case WM_INITDIALOG:
        self->Opened();
        return FALSE;  // the focus is set
      case WM_COMMAND:
        self->Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_NCDESTROY:
        self->hwnd_ = nullptr;
        return FALSE;
      default: {
        INT_PTR result = FALSE;
        return self->Message(message, wParam, lParam, result) ? result : FALSE;
      }
    }
  } catch (...) {
    // The dialog stays as it is; nothing unwinds through the dialog manager.
    WindowObject::ReportCaughtError();
    return TRUE;
  }
}

}  // namespace korvane::platform::win32
