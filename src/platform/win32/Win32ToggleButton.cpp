#include "platform/win32/Win32ToggleButton.h"

#include <windowsx.h>

#include "platform/win32/Colors.h"
#include "platform/win32/Win32Bitmap.h"

namespace korvane::platform::win32 {

Win32ToggleButton::Win32ToggleButton(HWND parent, const Color& background,
                                     ToggleButtonEvents& events)
    : events_(&events), background_(background) {
  // No CS_DBLCLKS: a quick second click is a second click, flipping the button back.
  RegisterClassOnce(kClassName, 0);
  CreateWhenShown(kClassName, WS_CHILD | WS_CLIPSIBLINGS, parent);
}

Win32ToggleButton::~Win32ToggleButton() { DestroyOwnWindow(); }

void Win32ToggleButton::SetBounds(int left, int top, int width, int height) {
  MoveTo(left, top, width, height);
}

Rect Win32ToggleButton::BoundsRect() const { return BoundsInParent(); }

void Win32ToggleButton::SetGlyph(const Bitmap* glyph) {
  const auto* bitmap = dynamic_cast<const Win32Bitmap*>(glyph);
  if (bitmap == glyph_) return;
  glyph_ = bitmap;
  Invalidate();
}

void Win32ToggleButton::SetDown(bool down) {
  if (down_ == down) return;
  down_ = down;
  Invalidate();
}

void Win32ToggleButton::SetVisible(bool on) { ShowChild(on); }

void Win32ToggleButton::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  const bool pressed = held_ && inside_;
  if (glyph_) {
    const HBRUSH back = CreateSolidBrush(ResolveColor(background_));
    FillRect(dc, &client, back);
    DeleteObject(back);
    DrawGlyph(dc, client, down_ ? kDown : pressed ? kPressed : kUp);
  } else {
    DrawEdge(dc, &client, down_ || pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void Win32ToggleButton::DrawGlyph(HDC dc, const RECT& client, Image image) {
  const int width = glyph_->Width() / kImageCount;
  const int height = glyph_->Height();
  if (width <= 0 || height <= 0) return;
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, glyph_->Handle());
  // The strip's bottom-left pixel names the colour that is not drawn.
  const COLORREF transparent = GetPixel(source, 0, height - 1);
  const int x = (client.right - width) / 2;
  const int y = (client.bottom - height) / 2;
  TransparentBlt(dc, x, y, width, height, source, image * width, 0, width, height, transparent);
  SelectObject(source, old);
  DeleteDC(source);
}

LRESULT Win32ToggleButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT painted = 0;
  if (HandlePaintMessage(message, wParam, [this](HDC dc) { Paint(dc); }, painted)) return painted;
  switch (message) {
    case WM_LBUTTONDOWN:
      held_ = true;
      inside_ = true;
      SetCapture(Hwnd());
      Invalidate();
      return 0;
    case WM_MOUSEMOVE:
      if (held_ && ClientContains(lParam) != inside_) {
        inside_ = !inside_;
        Invalidate();
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!held_) return 0;
      held_ = false;  // before ReleaseCapture, whose WM_CAPTURECHANGED comes at once
      ReleaseCapture();
      if (!ClientContains(lParam)) {
        Invalidate();
        return 0;
      }
      down_ = !down_;
      Invalidate();
      events_->ToggleButtonClick();  // may destroy us: nothing of ours is touched after it
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (held_) {  // the press was taken from us (a menu, another window)
        held_ = false;
        Invalidate();
      }
      return 0;
    case BM_GETCHECK:
      return down_ ? BST_CHECKED : BST_UNCHECKED;
  }
  return Default(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
