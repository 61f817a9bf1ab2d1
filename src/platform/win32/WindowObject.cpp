#include "platform/win32/WindowObject.h"

#include "platform/win32/Text.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <unordered_map>
#include <vector>

namespace korvane::platform::win32 {

namespace {

constexpr wchar_t kFocusableProperty[] = L"KorvaneFocusable";

// The tab order number of each window given one, plus one, so that 0 means "none given".
// Kept here rather than in window properties: each renumbering reads the neighbours'
// numbers, and a property is a round trip to the server under Wine.
std::unordered_map<HWND, INT_PTR>& TabNumbers() {
  static std::unordered_map<HWND, INT_PTR> numbers;
  return numbers;
}

// In window order, which is the order dialog navigation walks.
std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    children.push_back(w);
  }
  return children;
}

INT_PTR TabNumberOf(HWND window) {
  const auto found = TabNumbers().find(window);
  return found == TabNumbers().end() ? 0 : found->second;
}

bool CanTakeFocus(HWND window, bool tabStopsOnly) {
  if (!GetPropW(window, kFocusableProperty)) return false;
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  return !tabStopsOnly || (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0;
}

WindowObject::ErrorSink& Sink() {
  static WindowObject::ErrorSink sink = nullptr;
  return sink;
}

// One box at a time: a handler that fails again while its box is up (a paint, say) would
// otherwise stack boxes without end.
void ReportHandlerError(const std::string& text) {
  static bool reporting = false;
  if (reporting || !Sink()) return;
  reporting = true;
  Sink()(text);
  reporting = false;
}

}  // namespace

void WindowObject::SetErrorSink(ErrorSink sink) { Sink() = sink; }

WindowObject* WindowObject::ObjectOf(HWND hwnd) {
  // The class's procedure, not the window's: a tooltip subclasses the buttons it watches.
  if (!hwnd || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId() ||
      GetClassLongPtrW(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Procedure)) {
    return nullptr;
  }
  return reinterpret_cast<WindowObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

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

Rect WindowObject::BoundsInParent() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return Rect{r.left, r.top, r.right, r.bottom};
}

void WindowObject::MoveTo(int left, int top, int width, int height) {
  if (!hwnd_) return;
  const Rect now = BoundsInParent();
  if (now.Left == left && now.Top == top && now.Width() == width && now.Height() == height) return;
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowObject::MakeFocusable() {
  if (hwnd_) SetPropW(hwnd_, kFocusableProperty, reinterpret_cast<HANDLE>(1));
}

void WindowObject::SetTabStopStyle(bool on) {
  if (!hwnd_) return;
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  const LONG_PTR wanted = on ? style | WS_TABSTOP : style & ~WS_TABSTOP;
  if (wanted != style) SetWindowLongPtrW(hwnd_, GWL_STYLE, wanted);
}

void WindowObject::SetTabPosition(int position) {
  if (!hwnd_) return;
  const INT_PTR stored = static_cast<INT_PTR>(std::clamp(position, 0, INT_MAX - 1)) + 1;
  TabNumbers()[hwnd_] = stored;
  // Renumbering all controls after a change mostly leaves each where it stands. The order
  // is kept sorted by every call (and new controls come last), so neighbours that agree
  // with the number mean nothing moves, and the walk over all siblings (server round trips
  // under Wine) is spared.
  if (InTabPlace(stored)) return;

  struct Entry {
    HWND window;
    INT_PTR number;  // 0: none given
  };
  std::vector<Entry> entries;
  for (const HWND w : ChildrenOf(GetParent(hwnd_))) {
    entries.push_back({w, TabNumberOf(w)});
  }
  // Stable, so that those without a number keep their order among themselves.
  std::stable_sort(entries.begin(), entries.end(), [this](const Entry& a, const Entry& b) {
    if ((a.number == 0) != (b.number == 0)) return b.number == 0;
    if (a.number != b.number) return a.number < b.number;
    return a.window == hwnd_ && b.window != hwnd_;
  });

  // Only the windows out of place move. HWND_TOP is null, as GW_HWNDPREV answers for the
  // first child.
  HWND previous = HWND_TOP;
  for (const Entry& entry : entries) {
    if (GetWindow(entry.window, GW_HWNDPREV) != previous) {
      SetWindowPos(entry.window, previous, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    previous = entry.window;
  }
}

bool WindowObject::InTabPlace(INT_PTR number) const {
  // First among equals: the window before must have a lower number, not an equal one.
  if (const HWND previous = GetWindow(hwnd_, GW_HWNDPREV)) {
    const INT_PTR before = TabNumberOf(previous);
    if (before == 0 || before >= number) return false;
  }
  if (const HWND next = GetWindow(hwnd_, GW_HWNDNEXT)) {
    const INT_PTR after = TabNumberOf(next);
    if (after != 0 && after < number) return false;
  }
  return true;
}

bool WindowObject::NavigateByKey(HWND parent, HWND from, WPARAM key) {
  if (GetKeyState(VK_MENU) < 0) return false;
  bool tab = false;
  bool backwards = false;
  switch (key) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0) return false;
      tab = true;
      backwards = GetKeyState(VK_SHIFT) < 0;
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (!from) return false;
      break;
    case VK_LEFT:
    case VK_UP:
      if (!from) return false;
      backwards = true;
      break;
    default:
      return false;
  }

  std::vector<HWND> order = ChildrenOf(parent);
  if (backwards) std::reverse(order.begin(), order.end());
  const auto at = std::find(order.begin(), order.end(), from);
  const size_t start = at == order.end() ? 0 : static_cast<size_t>(at - order.begin()) + 1;
  for (size_t i = 0; i < order.size(); ++i) {
    const HWND candidate = order[(start + i) % order.size()];
    if (candidate == from) break;  // round without another: the focus stays
    if (CanTakeFocus(candidate, tab)) {
      SetFocus(candidate);
      return true;
    }
  }
  return from != nullptr;
}

HWND WindowObject::FirstTabStop(HWND parent) {
  for (const HWND child : ChildrenOf(parent)) {
    if (CanTakeFocus(child, true)) return child;
  }
  return nullptr;
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
  if (message == WM_NCDESTROY) {
    // Whoever ends the window, its properties go with it.
    TabNumbers().erase(hwnd);
    RemovePropW(hwnd, kFocusableProperty);
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is going without its owner's say (its parent was destroyed, say): the
    // object must not use the handle any more.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ReportCaughtError();
  }
  // The message ends here. A paint that failed is not asked for again at once.
  if (message == WM_PAINT) ValidateRect(hwnd, nullptr);
  return 0;
}

void WindowObject::ReportCaughtError() {
  try {
    throw;
  } catch (const std::exception& error) {
    ReportHandlerError(error.what());
  } catch (...) {
    ReportHandlerError(FromWide(L"予期しないエラーが発生しました。"));
  }
}

bool WindowObject::ClientContains(LPARAM lParam) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&client, p) != FALSE;
}

}  // namespace korvane::platform::win32
