// A raised or lowered panel with a one-line caption: the memory button.
#pragma once

#include <string>

#include "platform/Types.h"

namespace korvane::platform {

// Events of a panel, reported to the object that owns it. A handler may destroy the panel it
// is called from (a paste can drop its own memory); the panel touches nothing of itself after
// such a call.
class PanelEvents {
 public:
  virtual void PanelMouseDown(MouseButton button, int x, int y) = 0;
  virtual void PanelMouseUp(MouseButton button, int x, int y) = 0;  // x, y in panel coordinates
  virtual void PanelDblClick() = 0;
  virtual void PanelEnter() = 0;  // gained the keyboard focus
  virtual void PanelExit() = 0;   // lost the keyboard focus

 protected:
  ~PanelEvents() = default;
};

// Destroying the object destroys the control.
class Panel {
 public:
  virtual ~Panel() = default;

  // From now on the events go to `events`: the panel shows another memory.
  virtual void SetEvents(PanelEvents& events) = 0;
  // The memory shown here moves to `to` (to none when null): when the window would give the
  // keyboard focus back to this panel the next time it is activated, it gives it to `to`.
  virtual void PassRestoredFocus(Panel* to) = 0;

  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual Rect BoundsRect() const = 0;  // in the main window's client coordinates
  virtual void SetCaption(const std::string& caption) = 0;  // code page 932
  virtual void SetBevels(Bevel outer, Bevel inner) = 0;
  virtual Bevel BevelInner() const = 0;
  virtual void SetColor(Color color) = 0;
  virtual void SetFontColor(Color color) = 0;
  virtual void SetHint(const std::string& hint) = 0;  // kept, never shown for a panel
  virtual void SetTabStop(bool on) = 0;
  // The place in the window's tab order, shared with the image buttons: lower numbers first.
  virtual void SetTabOrder(int position) = 0;
  virtual void SetVisible(bool on) = 0;
  virtual bool Focused() const = 0;
};

}  // namespace korvane::platform
