// The main window that the control tests put their controls on, and a log of what the
// controls report.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Application.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32::test {

template <class Control>
HWND HwndOf(Control& control) {
  return dynamic_cast<WindowObject&>(control).Hwnd();
}

inline LPARAM At(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

class NoEvents : public MainWindowEvents {
  bool WindowMessage(std::uint32_t, WParam, LParam, LResult&) override { return false; }
  void WindowPaint(Canvas&) override {}
  void WindowShown() override {}
  void MouseHintChanged() override {}
};

// Records what a control reports, and runs `after` on each report (a handler that destroys
// the control, say).
class EventLog : public PanelEvents, public ToggleButtonEvents, public ImageButtonEvents {
 public:
  std::vector<std::string> seen;
  std::function<void(const std::string&)> after;

  void PanelMouseDown(MouseButton b, int x, int y) override { Note("down", b, x, y); }
  void PanelMouseUp(MouseButton b, int x, int y) override { Note("up", b, x, y); }
  void PanelDblClick() override { Note("dblclick"); }
  void PanelEnter() override { Note("enter"); }
  void PanelExit() override { Note("exit"); }
  void ToggleButtonClick() override { Note("click"); }
  void ImageButtonClick() override { Note("click"); }

 private:
  void Note(const char* what, MouseButton b, int x, int y) {
    Note(what + std::string(b == MouseButton::Left ? " L " : " R ") + std::to_string(x) + "," +
         std::to_string(y));
  }
  void Note(const std::string& event) {
    seen.push_back(event);
    if (after) after(event);
  }
};

using Events = std::vector<std::string>;
constexpr COLORREF kFace = 0x00C0C0;
constexpr COLORREF kWindowColour = 0x123456;

class ControlsFixture : public ::testing::Test {
 protected:
  // One window per suite: under Wine without a window manager, ending an active window
  // takes two seconds.
  static void SetUpTestSuite() {
    app_ = new Win32Application;
    window_ = app_->CreateMainWindow(main_, "Korvane").release();
    window_->SetBounds(50, 50, 220, 140);
    window_->SetColor(kWindowColour);
    window_->Show();
  }
  static void TearDownTestSuite() {
    delete window_;
    delete app_;
  }

  static HWND MainHwnd() { return reinterpret_cast<HWND>(window_->Handle()); }

  std::unique_ptr<Panel> MakePanel(EventLog& log, int top = 40) {
    auto panel = window_->CreatePanel(log);
    panel->SetBounds(20, top, 130, 20);
    panel->SetColor(kFace);
    panel->SetVisible(true);
    return panel;
  }
  std::unique_ptr<ToggleButton> MakeToggle(EventLog& log, int top = 40) {
    auto button = window_->CreateToggleButton(log);
    button->SetBounds(151, top, 20, 20);
    button->SetVisible(true);
    return button;
  }
  std::unique_ptr<ImageButton> MakeImageButton(EventLog& log, int left = 5) {
    auto button = window_->CreateImageButton(log);
    button->SetBounds(left, 5, 25, 25);
    button->SetVisible(true);
    return button;
  }

  static inline Win32Application* app_;
  static inline NoEvents main_;
  static inline MainWindow* window_;
};

}  // namespace korvane::platform::win32::test
