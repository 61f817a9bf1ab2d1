// The bridge between a window and the object that owns it, written once for every window class
// of this layer: the window procedure finds the object stored for the window (at WM_NCCREATE,
// cleared at WM_NCDESTROY) and hands it the message.
//
// It also keeps the keyboard order of the main window's controls. Dialog navigation follows
// the children's window order, so a control's tab order number becomes its place in that
// order.
#pragma once

#include "platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "platform/Types.h"

namespace korvane::platform::win32 {

class WindowObject {
 public:
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;

  // The window; one made only when it is first shown is made now, hidden.
  HWND Hwnd() const;

  // The object of a window of this layer made on this thread; null for any other window (of
  // another class, thread or program) and for one whose object is gone.
  static WindowObject* ObjectOf(HWND hwnd);
  // The control has a hint text of its own: the mouse over it is in a hint area of its own.
  virtual bool HasHint() const { return false; }
  // The keyboard can move the focus to this window (see NavigateByKey).
  bool Focusable() const { return focusable_; }

  // Where an error that a message handler raised is shown (the application's standard error
  // box). The message ends there; nothing unwinds through the window system.
  using ErrorSink = void (*)(const std::string& text);
  static void SetErrorSink(ErrorSink sink);
  // From a handler's catch (...): shows the error being handled there. For the other
  // bridges to the window system (the dialogs' procedure).
  static void ReportCaughtError();

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
  // A child window made when it is first shown (ShowChild), in its place, with its text and
  // style: a control set up step by step while hidden is then made by one call instead of a
  // round trip to the server for each step (under Wine). Until then its place, text, style
  // and tab order number are only kept here. While the parent is hidden, the children shown
  // wait for it: they are made together, in their tab order, just before it shows.
  void CreateWhenShown(const wchar_t* className, DWORD style, HWND parent);
  // The window has been made (the object may still wait to be shown for it).
  bool Made() const { return hwnd_ != nullptr; }
  // Makes the children of `parent` that wait for it to show.
  static void MakeWaitingChildren(HWND parent);
  // As the destructor, for derived destructors that must end the window while they still
  // exist.
  void DestroyOwnWindow();

  // Moves and sizes the window within its parent; nothing happens when it is already there
  // (under Wine even an empty move costs a round trip to the server and a repaint check).
  // The window keeps its bits: copying them is cheaper than painting the control again.
  void MoveTo(int left, int top, int width, int height);
  // The window's rectangle in its parent's client coordinates.
  Rect BoundsInParent() const;
  // The window text, where other programs (a test driver) read a control's caption.
  void SetText(const std::wstring& text);

  // The keyboard can move the focus to this window (see NavigateByKey).
  void MakeFocusable();
  // Puts the window among its siblings so that all those given a number stand in the order
  // of their numbers, lowest first (this one first among equals, as the latest placed), and
  // those never given one after them.
  void SetTabPosition(int position);
  void SetTabStopStyle(bool on);
  // Tab, Shift+Tab and the arrow keys, dialog style, among the focusable children of
  // `parent`: Tab moves to the next tab stop, the arrows to the next focusable control
  // whether a tab stop or not, both wrapping; nothing moves with Alt down, nor Tab with Ctrl
  // (those are shortcuts). `from` is the focused child, or null when the
  // parent itself has the focus (then only Tab moves, to the first or last tab stop). True
  // when the key was one of these and has been dealt with.
  static bool NavigateByKey(HWND parent, HWND from, WPARAM key);
  // The first child of `parent` in tab order that is a tab stop; null when there is none.
  static HWND FirstTabStop(HWND parent);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Shared by the owner-drawn controls.
  void Invalidate() {
    // A null window would mean all of them. A hidden control is painted whole when it is
    // shown, so setting up a new one costs no round trips to the server for this.
    if (hwnd_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE)) {
      InvalidateRect(hwnd_, nullptr, FALSE);
    }
  }
  void ShowChild(bool on);
  // The mouse position of a mouse message lies in the client area.
  bool ClientContains(LPARAM lParam) const;
  // WM_ERASEBKGND (nothing: the paint covers every pixel), WM_PAINT and WM_PRINTCLIENT for a
  // control that paints itself with `paint(dc)`; true with the result set when handled.
  template <typename Paint>
  bool HandlePaintMessage(UINT message, WPARAM wParam, Paint paint, LRESULT& result) {
    switch (message) {
      case WM_ERASEBKGND:
        result = 1;
        return true;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd_, &ps);
        paint(dc);
        EndPaint(hwnd_, &ps);
        result = 0;
        return true;
      }
      case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
      default:
        return false;
    }
  }

  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

 private:
  // What a window made when it is first shown is to be made with.
  struct Waiting {
    const wchar_t* className;
    DWORD style;
    Rect bounds;
    std::wstring text;
    bool shown;  // shown while the parent is hidden
  };

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Makes the window that waits to be shown; `visible` shows it at once.
  void Make(bool visible) const;
  // Takes a place in the parent's window order (the last), and gives it up.
  void JoinSiblings(HWND parent);
  void LeaveSiblings();
  // Puts the window where the order has it among the siblings that have windows.
  void TakeOrderPlace(bool justMade) const;

  mutable HWND hwnd_ = nullptr;
  mutable std::unique_ptr<Waiting> waiting_;
  HWND parent_ = nullptr;  // of a child in its parent's order
  bool focusable_ = false;
};

}  // namespace korvane::platform::win32
