// Everything the program needs from the operating system, handed to TForm1 at construction.
#pragma once

#include <memory>
#include <string>

#include "platform/Application.h"
#include "platform/Bitmap.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/HelpViewer.h"
#include "platform/System.h"
#include "platform/TickTimer.h"

namespace korvane::platform {

class Platform {
 public:
  virtual ~Platform() = default;

  virtual Application& App() = 0;
  virtual Desktop& Desk() = 0;
  virtual Clipboard& Clip() = 0;
  virtual FileSystem& Files() = 0;
  virtual System& Sys() = 0;
  virtual HelpViewer& Help() = 0;
  virtual Dialogs& Dialog() = 0;
  // The one timer of the slide into the screen edge.
  virtual TickTimer& Ticks() = 0;

  // Loads a .bmp file; raises PlatformError when it cannot.
  virtual std::unique_ptr<Bitmap> LoadBitmap(const std::string& path) = 0;
};

}  // namespace korvane::platform
