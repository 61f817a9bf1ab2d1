#include "platform/win32/Win32ImageButton.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Bitmap.h"

namespace korvane::platform::win32 {

namespace {

constexpr int kFocusInset = 3;

// The tool of `button` in its parent's tooltip. The version 2 size, which both the old and
// the new common controls accept.
TTTOOLINFOW ToolOf(HWND button, wchar_t* text = nullptr) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;  // the tooltip watches the button's mouse itself
  tool.hwnd = GetParent(button);
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text;
  return tool;
}

}  // namespace

Win32ImageButton::Win32ImageButton(HWND parent, HWND tooltip, ImageButtonEvents& events)
    : events_(events), tooltip_(tooltip) {
  // No CS_DBLCLKS: a quick second click is a second press, as on a push button.
  RegisterClassOnce(kClassName, 0);
  // A tab stop until told otherwise, as a push button is.
  CreateOwnWindow(kClassName, L"", 0, WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP, parent);
  MakeFocusable();
}

Win32ImageButton::~Win32ImageButton() {
  *alive_ = false;
  // While the button lives its parent does, and with it the tooltip.
  if (Hwnd() && hasTool_) {
    TTTOOLINFOW tool = ToolOf(Hwnd());
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  DestroyOwnWindow();
}

void Win32ImageButton::SetBounds(int left, int top, int width, int height) {
  MoveTo(left, top, width, height);
}

Rect Win32ImageButton::BoundsRect() const { return BoundsInParent(); }

void Win32ImageButton::SetGlyph(const Bitmap* glyph) {
  const auto* bitmap = dynamic_cast<const Win32Bitmap*>(glyph);
  if (bitmap == glyph_) return;
  glyph_ = bitmap;
  Invalidate();
}

void Win32ImageButton::SetHint(const std::string& hint) {
  if (!Hwnd()) return;
  hint_ = ToWide(hint);
  // Also the window text, where other programs (a test driver, a screen reader) read it.
  SetWindowTextW(Hwnd(), hint_.c_str());
  ShowHintInTooltip();
}

void Win32ImageButton::ShowHintInTooltip() {
  if (!tooltip_) return;
  TTTOOLINFOW tool = ToolOf(Hwnd(), hint_.data());  // the tooltip keeps a copy
  if (hint_.empty()) {
    if (hasTool_) SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    hasTool_ = false;
  } else if (hasTool_) {
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    hasTool_ = SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  }
}

void Win32ImageButton::SetVisible(bool on) { ShowChild(on); }

void Win32ImageButton::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  const bool pressed = (held_ && inside_) || spaceHeld_;
  RECT face = client;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  if (glyph_) DrawGlyph(dc, client, pressed);
  if (GetFocus() == Hwnd()) {
    RECT focus = client;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(dc, &focus);
  }
}

void Win32ImageButton::DrawGlyph(HDC dc, const RECT& client, bool pressed) {
  const int width = glyph_->Width();
  const int height = glyph_->Height();
  if (width <= 0 || height <= 0) return;
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, glyph_->Handle());
  // The picture's bottom-left pixel names the colour that is not drawn.
  const COLORREF transparent = GetPixel(source, 0, height - 1);
  // A pressed push button shows its face one pixel down and to the right.
  const int shift = pressed ? 1 : 0;
  const int x = (client.right - width) / 2 + shift;
  const int y = (client.bottom - height) / 2 + shift;
  TransparentBlt(dc, x, y, width, height, source, 0, 0, width, height, transparent);
  SelectObject(source, old);
  DeleteDC(source);
}

void Win32ImageButton::Click() { events_.ImageButtonClick(); }

LRESULT Win32ImageButton::MouseDown() {
  if (GetFocus() != Hwnd()) {
    const std::shared_ptr<bool> alive = alive_;
    SetFocus(Hwnd());  // the control that loses the focus reports it, and may end us
    if (!*alive) return 0;
  }
  held_ = true;
  inside_ = true;
  SetCapture(Hwnd());
  Invalidate();
  return 0;
}

LRESULT Win32ImageButton::MouseUp(LPARAM lParam) {
  if (!held_) return 0;
  held_ = false;  // before ReleaseCapture, whose WM_CAPTURECHANGED comes at once
  ReleaseCapture();
  Invalidate();
  if (ClientContains(lParam)) Click();
  return 0;
}

LRESULT Win32ImageButton::KeyDown(WPARAM key, LPARAM lParam) {
  if (key == VK_RETURN) {
    Click();  // each repeat presses again, as Enter does in a dialog
    return 0;
  }
  if (key == VK_SPACE) {
    // As a push button: down on the key's press, clicked on its release.
    const bool repeat = (lParam & (1 << 30)) != 0;
    if (!repeat && !held_) {
      spaceHeld_ = true;
      Invalidate();
    }
    return 0;
  }
  if (NavigateByKey(GetParent(Hwnd()), Hwnd(), key)) return 0;
  return Default(WM_KEYDOWN, key, lParam);
}

LRESULT Win32ImageButton::KeyUp(WPARAM key) {
  if (key == VK_SPACE && spaceHeld_) {
    spaceHeld_ = false;
    Invalidate();
    Click();
  }
  return 0;
}

LRESULT Win32ImageButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT painted = 0;
  if (HandlePaintMessage(message, wParam, [this](HDC dc) { Paint(dc); }, painted)) return painted;
  switch (message) {
    case WM_LBUTTONDOWN:
      return MouseDown();
    case WM_MOUSEMOVE:
      if (held_ && ClientContains(lParam) != inside_) {
        inside_ = !inside_;
        Invalidate();
      }
      return 0;
    case WM_LBUTTONUP:
      return MouseUp(lParam);
    case WM_CAPTURECHANGED:
      if (held_) {  // the press was taken from us (a menu, another window)
        held_ = false;
        Invalidate();
      }
      return 0;
    case WM_KEYDOWN:
      return KeyDown(wParam, lParam);
    case WM_KEYUP:
      return KeyUp(wParam);
    case WM_SETFOCUS:
      Invalidate();
      return 0;
    case WM_KILLFOCUS:
      spaceHeld_ = false;
      Invalidate();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BM_CLICK:  // what other programs send to press a button
      Click();
      return 0;
    case kUseTooltip:
      if (!tooltip_) {
        tooltip_ = reinterpret_cast<HWND>(wParam);
        ShowHintInTooltip();
      }
      return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
