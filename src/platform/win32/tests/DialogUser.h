// Plays the user of a modal dialog from a thread of its own while the test's thread runs the
// dialog and with it the dialog manager's loop. Questions are sent and answered at once;
// input is posted, as the system queues it, and waited for by its effect. Every wait is
// bounded, and what the user leaves open is closed at the end: a failing test ends.
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

using Texts = std::vector<std::wstring>;

class DialogUser {
 public:
  // Waits on its own thread for the visible window of that caption that `owner` owns, and
  // runs `script` with it; joins the thread when destroyed.
  DialogUser(HWND owner, const std::wstring& caption, std::function<void(HWND dialog)> script);
  ~DialogUser() { thread_.join(); }

 private:
  DWORD dialogThread_;
  std::thread thread_;
};

bool WaitUntil(const std::function<bool()>& done);  // false after 5 s without
HWND WaitForOwned(HWND owner, const std::wstring& caption);  // null after 5 s without
// SendMessage with a bound: a dialog that no longer answers fails the test, not hangs it.
LRESULT Query(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring TextOf(HWND window);
Texts ChildTexts(HWND dialog);  // in window order, which is tab order
Texts ListTexts(HWND list);
HWND FocusOf(HWND dialog);  // in the dialog's thread
// The captions of the statics and buttons on `parent` that their controls cut.
Texts CutCaptions(HWND parent);

void Type(HWND edit, const std::wstring& text);
void PressKey(HWND focus, WPARAM key);  // through the dialog manager
void Click(HWND button);
void ClickItem(HWND list, int index);

// The main window that owns the dialogs; it counts the pings it gets meanwhile.
class DialogsFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static HWND Owner() { return reinterpret_cast<HWND>(window_->Handle()); }
  static WindowHandle OwnerHandle() { return window_->Handle(); }
  // What both dialogs are while open: owned by the main window, which is disabled but still
  // gets its messages; a caption without title bar buttons; centred on the screen; every
  // caption whole and in a font that has its characters.
  static void ExpectModalOverTheOwner(HWND dialog);

 private:
  struct Pings final : MainWindowEvents {
    static constexpr UINT kPing = WM_APP + 17;
    std::atomic<int> count{0};
    bool WindowMessage(std::uint32_t message, WParam, LParam, LResult&) override {
      return message == kPing && ++count;
    }
    void WindowPaint(Canvas&) override {}
    void WindowShown() override {}
    void MouseHintChanged() override {}
  };
  static inline Win32Application* app_;
  static inline MainWindow* window_;
  static inline Pings* pings_;
};

}  // namespace korvane::platform::win32::test
