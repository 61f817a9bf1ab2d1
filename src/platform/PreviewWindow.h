// The preview: a small window, tooltip-like, that shows one memory's whole text beside the
// main window. It never takes the activation or the focus.
#pragma once

#include "platform/Types.h"

namespace korvane::platform {

struct Size {
  int Width = 0;
  int Height = 0;
};

// Destroying the object destroys the window.
class PreviewWindow {
 public:
  virtual ~PreviewWindow() = default;

  // The extent of the text as laid out when the window was made: wrapped at word boundaries
  // in a box `boxWidth` wide, line breaks kept, an ampersand a plain character, in the
  // system's status-bar font made bold. Never more than `maxHeight` high: only what fits
  // in that height was laid out.
  virtual Size TextExtent() const = 0;
  // Shows the window at `bounds` (screen coordinates) above all other windows, without
  // activating it. White, a thin raised border, the text in the system's tooltip text colour
  // 2 pixels in from the left and the top.
  virtual void ShowAt(const Rect& bounds) = 0;
};

}  // namespace korvane::platform
