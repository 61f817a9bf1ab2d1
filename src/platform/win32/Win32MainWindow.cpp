#include "platform/win32/Win32MainWindow.h"

#include <commctrl.h>

#include "platform/win32/Colors.h"
#include "platform/win32/Resource.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Win32ImageButton.h"
#include "platform/win32/Win32Panel.h"
#include "platform/win32/Win32ToggleButton.h"

namespace korvane::platform::win32 {

Win32MainWindow::Win32MainWindow(HWND owner, MainWindowEvents& events,
                                 const std::string& caption)
    : events_(events) {
  RegisterClassOnce(kClassName, CS_DBLCLKS,
                    LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KORVANE)));
  CreateOwnWindow(kClassName, ToWide(caption).c_str(), 0, WS_POPUP | WS_CLIPCHILDREN, owner);
}

Win32MainWindow::~Win32MainWindow() {
  // Before the font goes: the controls draw with it until they are destroyed with us.
  DestroyOwnWindow();
}

Rect Win32MainWindow::BoundsRect() const {
  RECT r{};
  GetWindowRect(Hwnd(), &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32MainWindow::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(Hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainWindow::SetColor(Color color) {
  color_ = color;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
}

void Win32MainWindow::SetTopMost(bool on) {
  SetWindowPos(Hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void Win32MainWindow::Show() { ShowWindow(Hwnd(), SW_SHOW); }

void Win32MainWindow::Refresh() {
  RedrawWindow(Hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32MainWindow::Close() { PostQuitMessage(0); }

std::unique_ptr<Canvas> Win32MainWindow::GetCanvas() {
  return Win32Canvas::ForWindow(Hwnd(), font_.Handle());
}

std::unique_ptr<Panel> Win32MainWindow::CreatePanel(PanelEvents& events) {
  return std::make_unique<Win32Panel>(Hwnd(), font_.Handle(), events);
}

std::unique_ptr<ToggleButton> Win32MainWindow::CreateToggleButton(ToggleButtonEvents& events) {
  return std::make_unique<Win32ToggleButton>(Hwnd(), color_, events);
}

std::unique_ptr<ImageButton> Win32MainWindow::CreateImageButton(ImageButtonEvents& events) {
  return std::make_unique<Win32ImageButton>(Hwnd(), Tooltip(), events);
}

HWND Win32MainWindow::Tooltip() {
  if (tooltip_ || !Hwnd()) return tooltip_;
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  // TTS_ALWAYSTIP: the window is seldom the active one, the user works in another program.
  // TTS_NOPREFIX: an ampersand in a hint is shown as it is.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  // The hints are Japanese: the window's font has the glyphs, the system's may not (Wine).
  if (tooltip_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  return tooltip_;
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LResult result = 0;
  if (events_.WindowMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(Hwnd(), &ps);
      {
        Win32Canvas canvas(dc, font_.Handle());
        events_.WindowPaint(canvas);
      }
      EndPaint(Hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(Hwnd(), &client);
      const HBRUSH brush = CreateSolidBrush(ResolveColor(color_));
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_CLOSE:
      // Only the loop ends: the program still uses the window while it shuts down.
      Close();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) events_.WindowShown();
      break;
    case WM_KEYDOWN:
      // With no control focused, Tab enters the controls as in a dialog.
      if (NavigateByKey(Hwnd(), nullptr, wParam)) return 0;
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
