// The preview of one memory's whole text: where it goes, and the window that shows it.
#pragma once

#include <memory>

#include "memory/Memory.h"
#include "platform/MainWindow.h"

namespace korvane {

struct PreviewPlace {
  platform::Point At;          // the point it opens next to (screen coordinates)
  bool Below = false;          // its top goes 5 pixels under the main window instead
  platform::Rect MainWindow;   // screen coordinates
  platform::Rect Screen;
};

// The rectangle of a preview whose text takes `text`: 5 right of and 20 below the point (or
// under the main window), pushed back onto the screen.
platform::Rect PreviewBounds(platform::Size text, const PreviewPlace& place);

// At most one preview window, made anew for each memory shown.
class MemoryPreview {
 public:
  explicit MemoryPreview(platform::MainWindow& window) : window_(window) {}

  bool IsOpen() const { return shown_ != nullptr; }
  // Closes the one open, then opens one with the item's text.
  void Show(const MemoryItem& item, const PreviewPlace& place);
  void Close() { shown_.reset(); }

 private:
  platform::MainWindow& window_;
  std::unique_ptr<platform::PreviewWindow> shown_;
};

}  // namespace korvane
