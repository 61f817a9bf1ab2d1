// A push button that shows a picture and a hint (tooltip) when the mouse rests on it.
#pragma once

#include <string>

#include "platform/Types.h"

namespace korvane::platform {

class Bitmap;

class ImageButtonEvents {
 public:
  // A click, or Enter or Space while the button has the focus. The handler may destroy the
  // button.
  virtual void ImageButtonClick() = 0;

 protected:
  ~ImageButtonEvents() = default;
};

// Destroying the object destroys the control.
class ImageButton {
 public:
  virtual ~ImageButton() = default;

  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual Rect BoundsRect() const = 0;
  // Shown centred; the colour of its bottom-left pixel is transparent. Not owned.
  virtual void SetGlyph(const Bitmap* glyph) = 0;
  virtual void SetHint(const std::string& hint) = 0;  // code page 932
  virtual void SetTabStop(bool on) = 0;
  // The place in the window's tab order, shared with the panels: lower numbers come first.
  virtual void SetTabOrder(int position) = 0;
  virtual void SetVisible(bool on) = 0;
};

}  // namespace korvane::platform
