// The Windows platform: one of each service, made by WinMain and handed to the program.
#pragma once

#include "platform/Platform.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HelpWindow.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32TickTimer.h"

namespace korvane::platform::win32 {

class Win32Platform : public Platform {
 public:
  Win32Platform();

  Application& App() override { return application_; }
  Desktop& Desk() override { return desktop_; }
  Clipboard& Clip() override { return clipboard_; }
  FileSystem& Files() override { return files_; }
  System& Sys() override { return system_; }
  HelpViewer& Help() override { return help_; }
  Dialogs& Dialog() override { return dialogs_; }
  TickTimer& Ticks() override { return ticks_; }

  std::unique_ptr<Bitmap> LoadBitmap(const std::string& path) override;

 private:
  Win32Application application_;
  Win32Desktop desktop_;
  Win32Clipboard clipboard_;
  Win32FileSystem files_;
  Win32System system_;
  Win32HelpWindow help_;
  Win32Dialogs dialogs_;
  Win32TickTimer ticks_;
};

}  // namespace korvane::platform::win32
