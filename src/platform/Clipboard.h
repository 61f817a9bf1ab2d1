// The system clipboard and its viewer chain. Text is code page 932 on this side.
#pragma once

#include <string>

#include "platform/Types.h"

namespace korvane::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // The clipboard's text; false when it holds none (or cannot be opened).
  virtual bool GetText(std::string& text) = 0;
  // True when the program that copied asked clipboard tools not to keep the contents (a
  // password manager marks its copies so): the formats "ExcludeClipboardContentFromMonitor
  // Processing" or "Clipboard Viewer Ignore" are present, or "CanIncludeInClipboardHistory"
  // holds the DWORD 0.
  virtual bool IsPrivate() = 0;
  // Replaces the clipboard's contents with the text. Viewers are notified, the caller's own
  // window possibly before this returns.
  virtual bool SetText(const std::string& text) = 0;

  // Joins the viewer chain at its front; returns the window that now follows.
  virtual WindowHandle SetViewer(WindowHandle window) = 0;
  virtual void ChangeChain(WindowHandle remove, WindowHandle next) = 0;
};

}  // namespace korvane::platform
