// The lock toggle: a child window that shows one image of a four-image strip and flips between
// up and down on each click. It never takes the keyboard focus.
#pragma once

#include "platform/win32/Win32Api.h"

#include "platform/ToggleButton.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

class Win32Bitmap;

class Win32ToggleButton : public ToggleButton, public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"KorvaneToggleButton";

  // Hidden, as a child of `parent`; transparent parts of the glyph show `background`, the
  // parent's colour, which outlives the window. Its window is made when it is first shown.
  Win32ToggleButton(HWND parent, const Color& background, ToggleButtonEvents& events);
  ~Win32ToggleButton() override;

  void SetEvents(ToggleButtonEvents& events) override { events_ = &events; }
  bool Held() const override { return held_; }

  void SetBounds(int left, int top, int width, int height) override;
  Rect BoundsRect() const override;
  void SetGlyph(const Bitmap* glyph) override;
  void SetDown(bool down) override;
  bool Down() const override { return down_; }
  void SetVisible(bool on) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The images of the strip, left to right.
  enum Image { kUp = 0, kDisabled = 1, kPressed = 2, kDown = 3, kImageCount = 4 };

  void Paint(HDC dc);
  void DrawGlyph(HDC dc, const RECT& client, Image image);

  ToggleButtonEvents* events_;
  const Color& background_;
  const Win32Bitmap* glyph_ = nullptr;
  bool down_ = false;
  bool held_ = false;    // the left button went down on us and is not up yet
  bool inside_ = false;  // ... and the mouse is over us
};

}  // namespace korvane::platform::win32
