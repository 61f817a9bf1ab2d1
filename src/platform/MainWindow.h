// The program's borderless main window and the controls it holds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/ImageButton.h"
#include "platform/Panel.h"
#include "platform/PopupMenu.h"
#include "platform/PreviewWindow.h"
#include "platform/ToggleButton.h"
#include "platform/Types.h"

namespace korvane::platform {

// The window's owner object (TForm1) receives everything through this.
class MainWindowEvents {
 public:
  // Every window message comes here first. Return true when handled, with its result in
  // `result`; anything else gets the window's default handling. Key releases (WM_KEYUP,
  // WM_SYSKEYUP) meant for one of the window's controls come here too, before the control
  // has them: the window previews its keys.
  virtual bool WindowMessage(std::uint32_t message, WParam wParam, LParam lParam,
                             LResult& result) = 0;
  virtual void WindowPaint(Canvas& canvas) = 0;
  // The window has become visible.
  virtual void WindowShown() = 0;
  // The mouse has moved onto another hint area: a control with a hint text of its own, or
  // anything without one (the window's background, a control without a hint, a window of
  // another program). Moving within one area reports nothing.
  virtual void MouseHintChanged() = 0;

 protected:
  ~MainWindowEvents() = default;
};

// Borderless, no caption buttons, owned by the application's hidden window. Destroying the
// object destroys the window.
class MainWindow {
 public:
  virtual ~MainWindow() = default;

  virtual WindowHandle Handle() const = 0;
  virtual Rect BoundsRect() const = 0;  // screen coordinates
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual void SetColor(Color color) = 0;  // the background
  // Into or out of the topmost band; the window is neither moved, sized, redrawn nor activated.
  virtual void SetTopMost(bool on) = 0;
  virtual void Show() = 0;
  virtual void Refresh() = 0;  // repaint the whole window now
  // Ends the application's message loop; the window itself lives on until destroyed.
  virtual void Close() = 0;
  // Puts a message into the window's own queue: it is handled after what the window is
  // doing now, in turn with input and other posted messages.
  virtual void Post(std::uint32_t message, WParam wParam, LParam lParam) = 0;
  // A timer of the window: the message WM_TIMER with wParam `id` every `ms` milliseconds,
  // until it is killed. Setting a running timer again restarts it.
  virtual void SetTimer(std::uintptr_t id, int ms) = 0;
  virtual void KillTimer(std::uintptr_t id) = 0;
  // A canvas for drawing outside the paint handler; it draws at once.
  virtual std::unique_ptr<Canvas> GetCanvas() = 0;
  // Opens a popup menu at a screen position and returns when it closes: the command of the
  // chosen item, 0 when none was chosen. The menu is modal; messages go on meanwhile. The
  // window should be the foreground window, or the menu does not close on a click elsewhere.
  virtual std::uint32_t TrackPopupMenu(const std::vector<MenuItem>& items, Point at) = 0;

  virtual std::unique_ptr<Panel> CreatePanel(PanelEvents& events) = 0;
  virtual std::unique_ptr<ToggleButton> CreateToggleButton(ToggleButtonEvents& events) = 0;
  virtual std::unique_ptr<ImageButton> CreateImageButton(ImageButtonEvents& events) = 0;
  // A preview window owned by this window, hidden until ShowAt. `text` in code page 932, or
  // `exact` when not empty; only the part that fits in a box `boxWidth` wide and `maxHeight`
  // high is laid out, so a text of many megabytes costs no more than a short one.
  virtual std::unique_ptr<PreviewWindow> CreatePreview(const std::string& text,
                                                       const UnicodeText& exact, int boxWidth,
                                                       int maxHeight) = 0;
};

}  // namespace korvane::platform
