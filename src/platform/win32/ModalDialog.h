// The bridge between a modal dialog and the object that runs it: the dialog procedure finds
// the object in DWLP_USER (stored at WM_INITDIALOG) and hands it the dialog's messages. The
// dialog manager's own loop runs while the dialog is open, so the thread's other windows
// keep getting their messages, and the owner is disabled until the dialog ends.
#pragma once

#include "platform/win32/Win32Api.h"

#include "platform/win32/DialogTemplate.h"

namespace korvane::platform::win32 {

class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

 protected:
  ModalDialog() = default;
  ~ModalDialog() = default;

  // Shows the dialog until it ends; its result, or -1 when it could not be made.
  INT_PTR Run(HWND owner, const DialogTemplate& layout);
  void End(INT_PTR result) { EndDialog(hwnd_, result); }

  HWND Hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  // Moves the focus as the keyboard does, so that the default button follows.
  void FocusItem(int id);

  // The controls exist; where the focus goes is set here.
  virtual void Opened() = 0;
  // WM_COMMAND from a control (or from the dialog manager, for Enter and Escape).
  virtual void Command(int id, int code) = 0;
  // Any other message; true when handled, with the dialog procedure's result in `result`.
  virtual bool Message(UINT, WPARAM, LPARAM, INT_PTR& /*result*/) { return false; }

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace korvane::platform::win32
