// A two-state button that shows one of four images: the memory's lock toggle.
#pragma once

#include "platform/Types.h"

namespace korvane::platform {

class Bitmap;

class ToggleButtonEvents {
 public:
  // The button has already flipped when this runs.
  virtual void ToggleButtonClick() = 0;

 protected:
  ~ToggleButtonEvents() = default;
};

// Each click flips the button between up and down. It never takes the keyboard focus.
class ToggleButton {
 public:
  virtual ~ToggleButton() = default;

  // From now on the clicks go to `events`: the button shows another memory's lock.
  virtual void SetEvents(ToggleButtonEvents& events) = 0;
  // The left mouse button went down on it and is not up yet.
  virtual bool Held() const = 0;

  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual Rect BoundsRect() const = 0;
  // A strip of four equal images: up, disabled, being pressed, down. Not owned; may be null,
  // and the button then draws a plain raised or sunken face.
  virtual void SetGlyph(const Bitmap* glyph) = 0;
  virtual void SetDown(bool down) = 0;
  virtual bool Down() const = 0;
  virtual void SetVisible(bool on) = 0;
};

}  // namespace korvane::platform
