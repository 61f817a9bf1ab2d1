// The application's hidden top-level window, which owns the main window so that the main
// window has no taskbar button, and the message loop.
#pragma once

#include "platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "platform/Application.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

class Win32Application : public Application, public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"KorvaneApplication";

  Win32Application();
  ~Win32Application() override;

  void SetTitle(const std::string& title) override;
  void SetHelpFile(const std::string& path) override { helpFile_ = path; }
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(Hwnd()); }

  std::unique_ptr<MainWindow> CreateMainWindow(MainWindowEvents& events,
                                               const std::string& caption) override;
  void Run() override;
  // One message of the loop: the main window previews it, then it is dispatched.
  void Deliver(const MSG& msg);
  void ShowError(const std::string& text) override;

  const std::string& HelpFile() const { return helpFile_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string title_;
  std::string helpFile_;
  // Looked up afresh for each message: the program may have destroyed the window.
  HWND mainWindow_ = nullptr;
};

}  // namespace korvane::platform::win32
