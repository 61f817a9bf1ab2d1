#include "platform/win32/WindowObject.h"

#include "platform/SiblingOrder.h"
#include "platform/win32/Text.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <unordered_map>
#include <vector>

namespace korvane::platform::win32 {

namespace {

// The order of the child controls of each window, by their objects, those still waiting to
// be made included. Only this layer moves its controls in the window order, so the order of
// those made is the system's.
std::unordered_map<HWND, SiblingOrder>& Orders() {
  static std::unordered_map<HWND, SiblingOrder> orders;
  return orders;
}

// The object of each window of this layer, stored when the window is made and dropped when it
// goes. Kept here rather than in the window's user data: setting that is a round trip to the
// server under Wine, for every control made.
std::unordered_map<HWND, WindowObject*>& Objects() {
  static std::unordered_map<HWND, WindowObject*> objects;
  return objects;
}

WindowObject* StoredObject(HWND hwnd) {
  const auto found = Objects().find(hwnd);
  return found == Objects().end() ? nullptr : found->second;
}

SiblingOrder::Id IdOf(const WindowObject* object) {
  return reinterpret_cast<SiblingOrder::Id>(object);
}
const WindowObject* ObjectWithId(SiblingOrder::Id id) {
  return reinterpret_cast<const WindowObject*>(id);
}

// In window order, which is the order dialog navigation walks.
std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    children.push_back(w);
  }
  return children;
}

bool CanTakeFocus(HWND window, bool tabStopsOnly) {
  const WindowObject* object = WindowObject::ObjectOf(window);
  if (!object || !object->Focusable()) return false;
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
  return StoredObject(hwnd);
}

WindowObject::~WindowObject() { DestroyOwnWindow(); }

HWND WindowObject::Hwnd() const {
  // Under a hidden parent a window made visible shows with it.
  if (waiting_) Make(waiting_->shown);
  return hwnd_;
}

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
  if (hwnd_ && (style & WS_CHILD)) {
    JoinSiblings(parentOrOwner);
    TakeOrderPlace(true);
  }
  return hwnd_ != nullptr;
}

void WindowObject::CreateWhenShown(const wchar_t* className, DWORD style, HWND parent) {
  waiting_.reset(new Waiting{className, style, Rect{}, std::wstring(), false});
  JoinSiblings(parent);
}

void WindowObject::Make(bool visible) const {
  // Taken first: what the new window's messages run must find it made, not waiting.
  const std::unique_ptr<Waiting> waiting = std::move(waiting_);
  const Rect& r = waiting->bounds;
  // No WM_PARENTNOTIFY: the window takes no notice of its controls being made.
  CreateWindowExW(WS_EX_NOPARENTNOTIFY, waiting->className, waiting->text.c_str(),
                  waiting->style | (visible ? WS_VISIBLE : 0), r.Left, r.Top, r.Width(),
                  r.Height(), parent_, nullptr, GetModuleHandleW(nullptr),
                  const_cast<WindowObject*>(this));
  if (hwnd_) TakeOrderPlace(true);
}

void WindowObject::MakeWaitingChildren(HWND parent) {
  const auto order = Orders().find(parent);
  if (order == Orders().end()) return;
  // In their order, each made the last of the children: nothing needs to move.
  for (const SiblingOrder::Id id : order->second.Order()) {
    const WindowObject* child = ObjectWithId(id);
    if (child->waiting_ && child->waiting_->shown) child->Make(true);
  }
}

void WindowObject::JoinSiblings(HWND parent) {
  parent_ = parent;
  Orders()[parent].Add(IdOf(this));
}

void WindowObject::LeaveSiblings() {
  if (!parent_) return;
  const auto order = Orders().find(parent_);
  if (order != Orders().end()) order->second.Remove(IdOf(this));
  parent_ = nullptr;
}

void WindowObject::TakeOrderPlace(bool justMade) const {
  const auto order = Orders().find(parent_);
  if (order == Orders().end()) return;
  // After the nearest sibling before it that has a window. A window just made is the last
  // already, which is its place unless one after it in the order has a window.
  HWND before = HWND_TOP;  // null: the first place
  bool seen = false;
  bool laterMade = false;
  for (const SiblingOrder::Id id : order->second.Order()) {
    const WindowObject* sibling = ObjectWithId(id);
    if (sibling == this) {
      seen = true;
    } else if (sibling->hwnd_) {
      if (seen) {
        laterMade = true;
        break;
      }
      before = sibling->hwnd_;
    }
  }
  if (justMade && !laterMade) return;
  SetWindowPos(hwnd_, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void WindowObject::DestroyOwnWindow() {
  waiting_.reset();
  LeaveSiblings();
  const HWND hwnd = hwnd_;
  if (!hwnd) return;
  Objects().erase(hwnd);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

Rect WindowObject::BoundsInParent() const {
  if (waiting_) return waiting_->bounds;
  RECT r{};
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return Rect{r.left, r.top, r.right, r.bottom};
}

void WindowObject::SetText(const std::wstring& text) {
  if (waiting_) {
    waiting_->text = text;
  } else if (hwnd_) {
    SetWindowTextW(hwnd_, text.c_str());
  }
}

void WindowObject::MoveTo(int left, int top, int width, int height) {
  if (waiting_) {
    waiting_->bounds = BoundsOf(left, top, width, height);
    return;
  }
  if (!hwnd_) return;
  const Rect now = BoundsInParent();
  if (now.Left == left && now.Top == top && now.Width() == width && now.Height() == height) return;
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowObject::ShowChild(bool on) {
  if (waiting_) {
    waiting_->shown = on;
    if (on && IsWindowVisible(parent_)) Make(true);
    return;
  }
  if (!hwnd_) return;
  const bool shown = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != on) ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE);
}

void WindowObject::MakeFocusable() { focusable_ = true; }

void WindowObject::SetTabStopStyle(bool on) {
  if (waiting_) {
    waiting_->style = on ? waiting_->style | WS_TABSTOP : waiting_->style & ~WS_TABSTOP;
    return;
  }
  if (!hwnd_) return;
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  const LONG_PTR wanted = on ? style | WS_TABSTOP : style & ~WS_TABSTOP;
  if (wanted != style) SetWindowLongPtrW(hwnd_, GWL_STYLE, wanted);
}

void WindowObject::SetTabPosition(int position) {
  const auto order = Orders().find(parent_);
  if (!parent_ || order == Orders().end()) return;
  // Renumbering all controls after a change mostly leaves each where it stands: only the
  // windows out of place move, and nothing is read back from the system to find out.
  const bool moved = order->second.Number(IdOf(this), std::clamp(position, 0, INT_MAX - 1));
  if (moved && hwnd_) TakeOrderPlace(false);
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
    Objects()[hwnd] = self;
    self->hwnd_ = hwnd;
  } else {
    self = StoredObject(hwnd);
  }
  if (message == WM_NCDESTROY) {
    // The order of its children goes with it; they are gone (or have never been made).
    Orders().erase(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is going without its owner's say (its parent was destroyed, say): the
    // object must not use the handle any more.
    Objects().erase(hwnd);
    self->hwnd_ = nullptr;
    self->LeaveSiblings();
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
