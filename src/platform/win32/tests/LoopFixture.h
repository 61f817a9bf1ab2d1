// A main window whose program side records what the message loop hands it (hint area
// changes, previewed key releases), and a loop that runs the messages as the application's
// does.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ControlsFixture.h"

namespace korvane::platform::win32::test {

class LoopEvents : public MainWindowEvents {
 public:
  int hintChanges = 0;
  std::vector<std::string> seen;  // key releases, as "main keyup 65"
  std::function<void()> onKey;    // after each key release is noted

  bool WindowMessage(std::uint32_t message, WParam wParam, LParam, LResult&) override {
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
      seen.push_back(KeyName(message, wParam, "main"));
      if (onKey) onKey();
    }
    return false;
  }
  void WindowPaint(Canvas&) override {}
  void WindowShown() override {}
  void MouseHintChanged() override { ++hintChanges; }

  static std::string KeyName(UINT message, WPARAM key, const char* who) {
    return std::string(who) + (message == WM_KEYUP ? " keyup " : " syskeyup ") +
           std::to_string(key);
  }
};

class LoopFixture : public ::testing::Test {
 protected:
  static constexpr int kLeft = 100, kTop = 100, kWidth = 300, kHeight = 160;

  static void SetUpTestSuite() {
    app_ = new Win32Application;
    window_ = app_->CreateMainWindow(events_, "Korvane").release();
    window_->SetBounds(kLeft, kTop, kWidth, kHeight);
    window_->Show();
  }
  static void TearDownTestSuite() {
    delete window_;
    delete app_;
  }
  void SetUp() override {
    events_ = LoopEvents{};
    RunFor(50);
  }

  static HWND MainHwnd() { return reinterpret_cast<HWND>(window_->Handle()); }

  // Runs the thread's messages through the application's loop until `done` or the time is
  // up; whether `done` came true.
  static bool RunUntil(const std::function<bool()>& done, int ms = 2000) {
    const DWORD start = GetTickCount();
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) app_->Deliver(msg);
      if (done && done()) return true;
      if (GetTickCount() - start >= static_cast<DWORD>(ms)) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  static void RunFor(int ms) { RunUntil(nullptr, ms); }

  static inline Win32Application* app_;
  static inline LoopEvents events_;
  static inline MainWindow* window_;
};

}  // namespace korvane::platform::win32::test
