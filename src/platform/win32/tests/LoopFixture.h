// A main window whose program side records what the application's message loop hands it,
// and that loop run for a while.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ControlsFixture.h"

namespace korvane::platform::win32::test {

class LoopEvents : public MainWindowEvents {
 public:
  int hintChanges = 0;
  std::vector<std::string> seen;  // key releases, as "main 257 65" (message, key)
  std::function<void()> onKey;    // after each key release is noted

  bool WindowMessage(std::uint32_t message, WParam wParam, LParam, LResult&) override {
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
      seen.push_back("main " + std::to_string(message) + " " + std::to_string(wParam));
      if (onKey) onKey();
    }
    return false;
  }
  void WindowPaint(Canvas&) override {}
  void WindowShown() override {}
  void MouseHintChanged() override { ++hintChanges; }
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
  void SetUp() override { events_ = LoopEvents{}; }

  // Runs the thread's messages through the application's loop until `done` or the time is
  // up; whether `done` came true.
  static bool RunUntil(const std::function<bool()>& done, int ms) {
    for (const DWORD start = GetTickCount();; MsgWaitForMultipleObjects(0, nullptr, FALSE, 10,
                                                                        QS_ALLINPUT)) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) app_->Deliver(msg);
      if (done && done()) return true;
      if (GetTickCount() - start >= static_cast<DWORD>(ms)) return false;
    }
  }

  static inline Win32Application* app_;
  static inline LoopEvents events_;
  static inline MainWindow* window_;
};

}  // namespace korvane::platform::win32::test
