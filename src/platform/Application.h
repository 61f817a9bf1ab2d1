// The application object: its hidden top-level window, its message loop and its error box.
#pragma once

#include <memory>
#include <string>

#include "platform/MainWindow.h"
#include "platform/Types.h"

namespace korvane::platform {

class Application {
 public:
  virtual ~Application() = default;

  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetHelpFile(const std::string& path) = 0;
  // The application's own top-level window: hidden, it owns the main window.
  virtual WindowHandle Handle() const = 0;

  // Made once, as the application's main form: closing it ends Run.
  virtual std::unique_ptr<MainWindow> CreateMainWindow(MainWindowEvents& events,
                                                       const std::string& caption) = 0;
  // The message loop; returns when the main window has been closed.
  virtual void Run() = 0;
  // The standard error message box: the text, the title as caption, an error icon, OK.
  virtual void ShowError(const std::string& text) = 0;
};

}  // namespace korvane::platform
