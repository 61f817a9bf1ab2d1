#include "platform/win32/Win32HelpWindow.h"

#include <algorithm>
#include <string>

#include "platform/win32/Resource.h"
#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

namespace {

constexpr wchar_t kCaption[] = L"Korvane ヘルプ";
constexpr int kWidth = 720;
constexpr int kHeight = 540;
constexpr int kMinWidth = 360;
constexpr int kMinHeight = 240;
constexpr int kGap = 6;
constexpr wchar_t kOriginalProcProperty[] = L"KorvaneOriginalProc";

// The shown text: the title, a blank line, the body.
std::wstring ShownText(const HelpTopic& topic) {
  return ToWide(topic.Title + "\r\n\r\n" + topic.Body);
}

}  // namespace

Win32HelpWindow::~Win32HelpWindow() { DestroyOwnWindow(); }

void Win32HelpWindow::Show(const std::vector<HelpTopic>& topics, std::size_t current) {
  if (topics.empty()) return;
  if (current >= topics.size()) current = 0;
  if (!Hwnd() && !Create()) return;

  topics_ = topics;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const HelpTopic& topic : topics_) {
    SendMessageW(list_, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(CaptionToWide(topic.Title).c_str()));
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  SendMessageW(list_, LB_SETCURSEL, current, 0);
  ShowTopic(current);

  ShowWindow(Hwnd(), IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Hwnd());
  SetFocus(list_);
}

bool Win32HelpWindow::Create() {
  RegisterClassOnce(kClassName, 0,
                    LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KORVANE)));
  // Owned by none of the program's windows: help is a window of its own, with a taskbar
  // button, and it stays behind the user's windows when a paste brings Korvane's owned windows
  // forward for a moment.
  if (!CreateOwnWindow(kClassName, kCaption, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       nullptr)) {
    return false;
  }
  if (!font_) font_ = std::make_unique<WindowFont>();

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                              LBS_NOINTEGRALHEIGHT,
                          0, 0, 0, 0, Hwnd(), nullptr, instance, nullptr);
  text_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                              ES_READONLY | ES_AUTOVSCROLL,
                          0, 0, 0, 0, Hwnd(), nullptr, instance, nullptr);
  for (const HWND control : {list_, text_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
    // Subclassed by hand: the common controls' helper would load comctl32 at every start.
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropW(control, kOriginalProcProperty,
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(
                 control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32HelpWindow::ControlProc))));
  }
  SendMessageW(text_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(8, 8));
  lastFocus_ = list_;

  // Centred on the work area of the primary screen.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = std::min<int>(kWidth, work.right - work.left);
  const int height = std::min<int>(kHeight, work.bottom - work.top);
  SetWindowPos(Hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
  return true;
}

void Win32HelpWindow::LayOut() {
  if (!list_ || !text_) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  const int width = client.right - client.left;
  const int height = std::max<int>(0, client.bottom - client.top - 2 * kGap);
  const int listWidth = std::clamp(width / 3, 140, 260);
  MoveWindow(list_, kGap, kGap, listWidth, height, TRUE);
  const int textLeft = kGap + listWidth + kGap;
  MoveWindow(text_, textLeft, kGap, std::max(0, width - textLeft - kGap), height, TRUE);
}

void Win32HelpWindow::ShowTopic(std::size_t index) {
  if (index >= topics_.size()) return;
  SetWindowTextW(text_, ShownText(topics_[index]).c_str());
  // From the top of the text, whatever was read before.
  SendMessageW(text_, EM_SETSEL, 0, 0);
  SendMessageW(text_, EM_SCROLLCARET, 0, 0);
}

LRESULT Win32HelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      LayOut();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = kMinWidth;
      info->ptMinTrackSize.y = kMinHeight;
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(Hwnd(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      // A read-only edit would be grey; the text reads better on the window colour.
      if (reinterpret_cast<HWND>(lParam) == text_) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == list_ && HIWORD(wParam) == LBN_SELCHANGE) {
        const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
        if (selected != LB_ERR) ShowTopic(static_cast<std::size_t>(selected));
        return 0;
      }
      break;
    case WM_SETFOCUS:
      // Activating the window gives the focus back to the control that had it.
      if (lastFocus_ && IsWindow(lastFocus_)) SetFocus(lastFocus_);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_DESTROY:
      list_ = nullptr;
      text_ = nullptr;
      lastFocus_ = nullptr;
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT CALLBACK Win32HelpWindow::ControlProc(HWND control, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* window = reinterpret_cast<Win32HelpWindow*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(control, kOriginalProcProperty));
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        // Posted: the control is destroyed with the window and must not be inside its own
        // procedure then.
        PostMessageW(GetParent(control), WM_CLOSE, 0, 0);
        return 0;
      }
      if (wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        SetFocus(control == window->list_ ? window->text_ : window->list_);
        return 0;
      }
      break;
    case WM_CHAR:
      // Their characters would only beep.
      if (wParam == 0x1B || wParam == L'\t') return 0;
      break;
    case WM_SETFOCUS:
      window->lastFocus_ = control;
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropW(control, kOriginalProcProperty);
      break;
    default:
      break;
  }
  return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace korvane::platform::win32
