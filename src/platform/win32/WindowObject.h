// The bridge between a window and the object that owns it, written once for every window class
// of this layer: the window procedure finds the object in GWLP_USERDATA (stored at WM_NCCREATE,
// cleared at WM_NCDESTROY) and hands it the message.
#pragma once

#include "platform/win32/Win32Api.h"

namespace korvane::platform::win32 {

class WindowObject {
 public:
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;

  HWND Hwnd() const { return hwnd_; }

 protected:
  WindowObject() = default;
  // Destroys the window if the owner has not: messages sent during the destruction no longer
  // reach the object, which is already partly gone by then.
  ~WindowObject();

  // Registers the class on first use. The procedure is the bridge's.
  static void RegisterClassOnce(const wchar_t* className, UINT classStyle, HICON icon = nullptr);
  // Creates the window; the object receives its messages from WM_NCCREATE on.
  bool CreateOwnWindow(const wchar_t* className, const wchar_t* caption, DWORD exStyle,
                       DWORD style, HWND parentOrOwner);
  // As the destructor, for derived destructors that must end the window while they still
  // exist.
  void DestroyOwnWindow();

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace korvane::platform::win32
