// The borderless main window. Every message goes to the program first; what it leaves is
// handled here the way a plain form would.
#pragma once

#include "platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "platform/MainWindow.h"
#include "platform/win32/HintAreaWatch.h"
#include "platform/win32/WindowFont.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

class Win32MainWindow : public MainWindow, public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"KorvaneMainWindow";

  // Created hidden, owned by `owner` (so it gets no taskbar button of its own).
  Win32MainWindow(HWND owner, MainWindowEvents& events, const std::string& caption);
  ~Win32MainWindow() override;

  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(Hwnd()); }
  Rect BoundsRect() const override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetColor(Color color) override;
  void SetTopMost(bool on) override;
  void Show() override;
  void Refresh() override;
  void Close() override;
  void Post(std::uint32_t message, WParam wParam, LParam lParam) override;
  void SetTimer(std::uintptr_t id, int ms) override;
  void KillTimer(std::uintptr_t id) override;
  std::unique_ptr<Canvas> GetCanvas() override;
  std::uint32_t TrackPopupMenu(const std::vector<MenuItem>& items, Point at) override;

  std::unique_ptr<Panel> CreatePanel(PanelEvents& events) override;
  std::unique_ptr<ToggleButton> CreateToggleButton(ToggleButtonEvents& events) override;
  std::unique_ptr<ImageButton> CreateImageButton(ImageButtonEvents& events) override;
  std::unique_ptr<PreviewWindow> CreatePreview(const std::string& text, const UnicodeText& exact,
                                               int boxWidth, int maxHeight) override;

  // A control's memory moved to another control (`to`, null for none): the focus that the
  // window gives back when it is next activated follows it.
  void PassRestoredFocus(HWND from, HWND to) {
    if (lastFocus_ == from) lastFocus_ = to;
  }
  // A control shows another memory now: the mouse over it has come into another hint area.
  void ControlRenewed(HWND control) { hints_.Renewed(control); }

  // Whether PreviewInput wants to see messages of this kind; the loop skips the rest.
  static bool Previews(UINT message);
  // The message loop hands each message over here before it dispatches it: the mouse moving
  // from one hint area to another, and key releases meant for a control, which the program
  // sees before the control does. The handlers the program runs here may destroy the control
  // the message is for (dispatching it then does nothing).
  void PreviewInput(const MSG& msg);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The one tooltip control that shows the image buttons' hints. Made after the window's
  // first paint, so that start-up does not wait for the common controls (tens of
  // milliseconds under Wine) before the window shows; null until then.
  HWND Tooltip();
  // Makes it, and hands it to the image buttons made before it.
  void MakeTooltip();

  MainWindowEvents& events_;
  WindowFont font_;
  HintAreaWatch hints_{nullptr};
  Color color_ = ClBtnFace;
  HWND tooltip_ = nullptr;  // owned by the window, and destroyed with it
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was last active
  bool tooltipWanted_ = false;  // an image button waits for it
};

}  // namespace korvane::platform::win32
