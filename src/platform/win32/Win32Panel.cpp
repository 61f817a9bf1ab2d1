#include "platform/win32/Win32Panel.h"

#include <windowsx.h>

#include <utility>

#include "platform/win32/Colors.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

namespace {

// One pixel of bevel the classic way: the top-left colour along the left and top edges, the
// bottom-right colour along the right and bottom ones (and in both far corners).
void DrawBevel(HDC dc, RECT& rect, Bevel bevel) {
  if (bevel == Bevel::None) return;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = bevel == Bevel::Raised ? light : dark;
  const COLORREF bottomRight = bevel == Bevel::Raised ? dark : light;
  const LONG right = rect.right - 1;
  const LONG bottom = rect.bottom - 1;

  const HPEN topLeftPen = CreatePen(PS_SOLID, 1, topLeft);
  const HPEN bottomRightPen = CreatePen(PS_SOLID, 1, bottomRight);
  const HGDIOBJ oldPen = SelectObject(dc, topLeftPen);
  const POINT upper[] = {{rect.left, bottom}, {rect.left, rect.top}, {right, rect.top}};
  Polyline(dc, upper, 3);
  SelectObject(dc, bottomRightPen);
  const POINT lower[] = {{right, rect.top}, {right, bottom}, {rect.left - 1, bottom}};
  Polyline(dc, lower, 3);
  SelectObject(dc, oldPen);
  DeleteObject(topLeftPen);
  DeleteObject(bottomRightPen);
  InflateRect(&rect, -1, -1);
}

}  // namespace

Win32Panel::Win32Panel(HWND parent, HFONT font, PanelEvents& events)
    : events_(&events), font_(font) {
  RegisterClassOnce(kClassName, CS_DBLCLKS);
  CreateWhenShown(kClassName, WS_CHILD | WS_CLIPSIBLINGS, parent);
  MakeFocusable();
}

Win32Panel::~Win32Panel() {
  *alive_ = false;
  DestroyOwnWindow();
}

void Win32Panel::SetBounds(int left, int top, int width, int height) {
  MoveTo(left, top, width, height);
}

Rect Win32Panel::BoundsRect() const { return BoundsInParent(); }

// The setters below repaint only on a change: the layout sets every property of every memory
// after each copy, and most of them stay as they were.
void Win32Panel::SetCaption(const std::string& caption) {
  std::wstring wide = CaptionToWide(caption);
  if (wide == caption_) return;
  caption_ = std::move(wide);
  SetText(caption_);
  Invalidate();
}

void Win32Panel::SetBevels(Bevel outer, Bevel inner) {
  if (outer == outer_ && inner == inner_) return;
  outer_ = outer;
  inner_ = inner;
  Invalidate();
}

void Win32Panel::SetColor(Color color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void Win32Panel::SetFontColor(Color color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  Invalidate();
}

void Win32Panel::SetTabStop(bool on) { SetTabStopStyle(on); }

void Win32Panel::SetTabOrder(int position) { SetTabPosition(position); }

void Win32Panel::SetVisible(bool on) { ShowChild(on); }

bool Win32Panel::Focused() const { return Made() && GetFocus() == Hwnd(); }

Win32MainWindow* Win32Panel::Window() const {
  return Made() ? dynamic_cast<Win32MainWindow*>(ObjectOf(GetParent(Hwnd()))) : nullptr;
}

void Win32Panel::SetEvents(PanelEvents& events) {
  events_ = &events;
  if (Win32MainWindow* window = Window()) window->ControlRenewed(Hwnd());
}

void Win32Panel::PassRestoredFocus(Panel* to) {
  const auto* next = dynamic_cast<Win32Panel*>(to);
  if (Win32MainWindow* window = Window()) {
    window->PassRestoredFocus(Hwnd(), next && next->Made() ? next->Hwnd() : nullptr);
  }
}

void Win32Panel::Paint(HDC dc) {
  RECT rect{};
  GetClientRect(Hwnd(), &rect);
  const HBRUSH face = CreateSolidBrush(ResolveColor(color_));
  FillRect(dc, &rect, face);
  DeleteObject(face);

  DrawBevel(dc, rect, outer_);
  InflateRect(&rect, -kBorderWidth, -kBorderWidth);
  DrawBevel(dc, rect, inner_);

  // One line only, centred on the font's height and clipped to the inside of the border.
  const size_t lineEnd = caption_.find_first_of(L"\r\n");
  const int length = static_cast<int>(lineEnd == std::wstring::npos ? caption_.size() : lineEnd);
  const HGDIOBJ oldFont = SelectObject(dc, font_);
  SIZE w{};
  GetTextExtentPoint32W(dc, L"W", 1, &w);
  RECT textRect = rect;
  textRect.top = (rect.top + rect.bottom - w.cy) / 2;
  textRect.bottom = textRect.top + w.cy;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColor(fontColor_));
  DrawTextW(dc, caption_.c_str(), length, &textRect, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

LRESULT Win32Panel::ButtonDown(MouseButton button, LPARAM lParam, bool doubleClick) {
  const std::shared_ptr<bool> alive = alive_;
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (button == MouseButton::Left) {
    // The focus stays where it is: the press pastes and hands the activation on, and a focus
    // moved here just before would recolour the memory and open its preview in passing.
    SetCapture(Hwnd());
    if (doubleClick) {
      events_->PanelDblClick();
      if (!*alive) return 0;
    }
  }
  events_->PanelMouseDown(button, x, y);
  return 0;
}

LRESULT Win32Panel::ButtonUp(MouseButton button, LPARAM lParam) {
  if (button == MouseButton::Left && GetCapture() == Hwnd()) ReleaseCapture();
  events_->PanelMouseUp(button, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  return 0;
}

LRESULT Win32Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT painted = 0;
  if (HandlePaintMessage(message, wParam, [this](HDC dc) { Paint(dc); }, painted)) return painted;
  switch (message) {
    case WM_LBUTTONDOWN:
      return ButtonDown(MouseButton::Left, lParam, false);
    case WM_LBUTTONDBLCLK:
      return ButtonDown(MouseButton::Left, lParam, true);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return ButtonDown(MouseButton::Right, lParam, false);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return ButtonDown(MouseButton::Middle, lParam, false);
    case WM_LBUTTONUP:
      return ButtonUp(MouseButton::Left, lParam);
    case WM_RBUTTONUP:
      ButtonUp(MouseButton::Right, lParam);
      // The default handling asks for the context menu, which the main window opens.
      return Default(message, wParam, lParam);
    case WM_MBUTTONUP:
      return ButtonUp(MouseButton::Middle, lParam);
    case WM_SETFOCUS:
      events_->PanelEnter();
      return 0;
    case WM_KILLFOCUS:
      events_->PanelExit();
      return 0;
    case WM_KEYDOWN:
      // Tab and the arrows move the focus on (which may end this panel); other keys are
      // the panel's.
      if (NavigateByKey(GetParent(Hwnd()), Hwnd(), wParam)) return 0;
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
