// Plays the user of a modal dialog from a thread of its own while the test's thread runs the
// dialog, and with it the dialog manager's loop. Questions to the dialog are sent and answered
// at once; input is posted, as the system queues it, and waited for by its effect. Every wait
// is bounded, and whatever the user leaves open is closed at the end, so that a failing test
// ends instead of hanging in the dialog.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32/Win32Api.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/Win32Application.h"

namespace korvane::platform::win32::test {

class DialogUser {
 public:
  // Waits on its own thread for the visible dialog of that caption that `owner` owns, and
  // runs `script` with it; joins the thread when destroyed.
  DialogUser(HWND owner, const std::wstring& caption, std::function<void(HWND dialog)> script);
  ~DialogUser();
  DialogUser(const DialogUser&) = delete;
  DialogUser& operator=(const DialogUser&) = delete;

 private:
  DWORD dialogThread_;
  std::thread thread_;
};

// Waits (up to 5 s) for `done`; false when it never came.
bool WaitUntil(const std::function<bool()>& done);
// The visible window of this caption that `owner` owns, once it shows; null after 5 s.
HWND WaitForOwned(HWND owner, const std::wstring& caption);
// Null after 5 s.
HWND WaitForOwned(HWND owner);

// SendMessage with a bound: a dialog thread that no longer answers fails the test, not hangs
// it.
LRESULT Query(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring TextOf(HWND window);
// The visible buttons' captions, in window order.
std::vector<std::wstring> ButtonTexts(HWND dialog);
// The children in window order, which is their tab order.
std::vector<std::wstring> ChildTexts(HWND dialog);
std::vector<std::wstring> ListTexts(HWND list);
int ListSelection(HWND list);
// The window with the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog);

// Typed into the focused edit.
void Type(HWND edit, const std::wstring& text);
// A key pressed and let go while `focus` has the focus: through the dialog manager.
void PressKey(HWND focus, WPARAM key);
void Click(HWND button);
void ClickItem(HWND list, int index);

// The main window's events: it counts the pings it is sent.
struct PingCounter : MainWindowEvents {
  static constexpr UINT kPing = WM_APP + 17;
  std::atomic<int> pings{0};

  bool WindowMessage(std::uint32_t message, WParam, LParam, LResult& result) override {
    if (message != kPing) return false;
    ++pings;
    result = 0;
    return true;
  }
  void WindowPaint(Canvas&) override {}
  void WindowShown() override {}
  void MouseHintChanged() override {}
};

// The main window that owns the dialogs, and the messages it handles meanwhile.
class DialogsFixture : public ::testing::Test {
 protected:
  static constexpr UINT kPing = PingCounter::kPing;

  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static HWND Owner() { return reinterpret_cast<HWND>(window_->Handle()); }
  static WindowHandle OwnerHandle() { return window_->Handle(); }
  static int Pings() { return events_.pings; }
  // What both dialogs are while open: owned by the main window, which is disabled but still
  // gets its messages; a caption without title bar buttons; centred on the screen; every
  // caption whole and in a font that has its characters.
  static void ExpectModalOverTheOwner(HWND dialog);

 private:
  static inline Win32Application* app_;
  static inline MainWindow* window_;
  static inline PingCounter events_;
};

}  // namespace korvane::platform::win32::test
