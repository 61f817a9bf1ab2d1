#include "platform/win32/Win32MainWindow.h"

#include <commctrl.h>

#include <cstddef>

#include "platform/win32/Colors.h"
#include "platform/win32/Resource.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Win32ImageButton.h"
#include "platform/win32/Win32Panel.h"
#include "platform/win32/Win32PreviewWindow.h"
#include "platform/win32/Win32ToggleButton.h"

namespace korvane::platform::win32 {

// The program reads WM_MOVING's RECT as a Rect.
static_assert(sizeof(RECT) == sizeof(Rect) && offsetof(RECT, left) == offsetof(Rect, Left) &&
              offsetof(RECT, top) == offsetof(Rect, Top) &&
              offsetof(RECT, right) == offsetof(Rect, Right) &&
              offsetof(RECT, bottom) == offsetof(Rect, Bottom));

Win32MainWindow::Win32MainWindow(HWND owner, MainWindowEvents& events,
                                 const std::string& caption)
    : events_(events) {
  RegisterClassOnce(kClassName, CS_DBLCLKS,
                    LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KORVANE)));
  CreateOwnWindow(kClassName, ToWide(caption).c_str(), 0, WS_POPUP | WS_CLIPCHILDREN, owner);
  hints_ = HintAreaWatch(Hwnd());
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
  const Rect now = BoundsRect();
  if (now.Left == left && now.Top == top && now.Width() == width && now.Height() == height) return;
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

void Win32MainWindow::Post(std::uint32_t message, WParam wParam, LParam lParam) {
  PostMessageW(Hwnd(), message, wParam, lParam);
}

void Win32MainWindow::SetTimer(std::uintptr_t id, int ms) {
  ::SetTimer(Hwnd(), id, static_cast<UINT>(ms > 0 ? ms : USER_TIMER_MINIMUM), nullptr);
}

void Win32MainWindow::KillTimer(std::uintptr_t id) { ::KillTimer(Hwnd(), id); }

std::unique_ptr<Canvas> Win32MainWindow::GetCanvas() {
  return Win32Canvas::ForWindow(Hwnd(), font_.Handle());
}

namespace {

// A menu caption treats '&' as a mnemonic mark; captions here (group names among them) are
// shown as they are.
std::wstring MenuText(const std::string& caption) {
  std::wstring text;
  for (wchar_t c : ToWide(caption)) {
    text += c;
    if (c == L'&') text += L'&';
  }
  return text;
}

HMENU BuildMenu(const std::vector<MenuItem>& items) {
  const HMENU menu = CreatePopupMenu();
  UINT position = 0;
  for (const MenuItem& item : items) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    std::wstring text;
    if (item.IsSeparator()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      text = MenuText(item.caption);
      info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID;
      info.fType = item.radio ? MFT_RADIOCHECK : MFT_STRING;
      info.fState = item.checked ? MFS_CHECKED : MFS_UNCHECKED;
      info.wID = item.command;
      info.dwTypeData = text.data();
      if (!item.submenu.empty()) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = BuildMenu(item.submenu);
      }
    }
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
  return menu;
}

}  // namespace

std::uint32_t Win32MainWindow::TrackPopupMenu(const std::vector<MenuItem>& items, Point at) {
  // The caller brings the window forward first (from the tray icon it is not active): a
  // popup of an inactive window would not close when the user clicks elsewhere.
  const HMENU menu = BuildMenu(items);
  const auto chosen = static_cast<std::uint32_t>(::TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.X, at.Y, 0, Hwnd(),
      nullptr));
  // Lets the menu's own loop finish before the next menu can open.
  PostMessageW(Hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);  // with its submenus
  return chosen;
}

std::unique_ptr<Panel> Win32MainWindow::CreatePanel(PanelEvents& events) {
  return std::make_unique<Win32Panel>(Hwnd(), font_.Handle(), events);
}

std::unique_ptr<ToggleButton> Win32MainWindow::CreateToggleButton(ToggleButtonEvents& events) {
  return std::make_unique<Win32ToggleButton>(Hwnd(), color_, events);
}

std::unique_ptr<ImageButton> Win32MainWindow::CreateImageButton(ImageButtonEvents& events) {
  const HWND tooltip = Tooltip();
  if (!tooltip) tooltipWanted_ = true;
  return std::make_unique<Win32ImageButton>(Hwnd(), tooltip, events);
}

std::unique_ptr<PreviewWindow> Win32MainWindow::CreatePreview(const std::string& text,
                                                              const UnicodeText& exact,
                                                              int boxWidth, int maxHeight) {
  return std::make_unique<Win32PreviewWindow>(Hwnd(), text, exact, boxWidth, maxHeight);
}

HWND Win32MainWindow::Tooltip() {
  // Once the window is on the screen the first paint may still be pending; a button made
  // then gets its tooltip at once.
  if (!tooltip_ && IsWindowVisible(Hwnd())) MakeTooltip();
  return tooltip_;
}

void Win32MainWindow::MakeTooltip() {
  tooltipWanted_ = false;
  if (tooltip_ || !Hwnd()) return;
  // Loaded here rather than linked: loading the library is most of the cost.
  static const HMODULE library = LoadLibraryW(L"comctl32.dll");
  using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = reinterpret_cast<InitControls>(
      reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
  if (!init) return;
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  init(&classes);
  // TTS_ALWAYSTIP: the window is seldom the active one, the user works in another program.
  // TTS_NOPREFIX: an ampersand in a hint is shown as it is.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  // The hints are Japanese: the window's font has the glyphs, the system's may not (Wine).
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  for (HWND child = GetWindow(Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, Win32ImageButton::kUseTooltip, reinterpret_cast<WPARAM>(tooltip_), 0);
  }
}

namespace {

// What PreviewInput hands on to the program is sent to the window itself, so that the
// program's handlers run inside the window bridge, which catches what they throw. A number of
// its own, which no message of the program's can share. wParam: one of these; lParam: the
// loop's MSG for a key.
UINT LoopInputMessage() {
  static const UINT message = RegisterWindowMessageW(L"KorvaneLoopInput");
  return message;
}
enum LoopInput : WPARAM { kHintAreaChanged, kKeyReleased };

}  // namespace

bool Win32MainWindow::Previews(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return true;
    default:
      return false;
  }
}

void Win32MainWindow::PreviewInput(const MSG& msg) {
  if (!Hwnd()) return;
  // Sending is the last thing done here: the program's handler may end this window.
  if (hints_.Look(msg)) {
    SendMessageW(Hwnd(), LoopInputMessage(), kHintAreaChanged, 0);
  } else if ((msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) && msg.hwnd != Hwnd() &&
             IsChild(Hwnd(), msg.hwnd)) {
    // The window's own key releases reach it as they always do.
    SendMessageW(Hwnd(), LoopInputMessage(), kKeyReleased, reinterpret_cast<LPARAM>(&msg));
  }
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LResult result = 0;
  if (message == LoopInputMessage()) {
    if (wParam == kHintAreaChanged) {
      events_.MouseHintChanged();
    } else if (wParam == kKeyReleased) {
      // Seen first here, then by the control as usual, whatever the program answers.
      const MSG& key = *reinterpret_cast<const MSG*>(lParam);
      events_.WindowMessage(key.message, key.wParam, key.lParam, result);
    }
    return 0;
  }
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
      if (tooltipWanted_) MakeTooltip();
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
      // Before the window is on the screen: it shows with its controls, painted once.
      if (wParam) {
        MakeWaitingChildren(Hwnd());
        events_.WindowShown();
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Hwnd(), focus)) lastFocus_ = focus;
        return 0;
      }
      // As a dialog does: the control that had the focus gets it back, else the first tab
      // stop; only without either does the window itself take it (the default).
      if (!HIWORD(wParam)) {
        const bool lastUsable = lastFocus_ && IsChild(Hwnd(), lastFocus_) &&
                                IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_);
        const HWND target = lastUsable ? lastFocus_ : FirstTabStop(Hwnd());
        if (target) {
          SetFocus(target);
          return 0;
        }
      }
      break;
    case WM_KEYDOWN:
      // With no control focused, Tab enters the controls as in a dialog.
      if (NavigateByKey(Hwnd(), nullptr, wParam)) return 0;
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
