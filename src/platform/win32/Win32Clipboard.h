// The system clipboard, as Unicode text converted from and to code page 932, and the viewer
// chain.
#pragma once

#include "platform/win32/Win32Api.h"

#include "platform/Clipboard.h"

namespace korvane::platform::win32 {

class Win32Clipboard : public Clipboard {
 public:
  // `owner` is the application's window, which opens the clipboard for us.
  explicit Win32Clipboard(HWND owner) : owner_(owner) {}

  ClipboardContent Read() override;
  std::uint32_t SequenceNumber() override;
  bool SetText(const std::string& text, const UnicodeText& exact) override;
  WindowHandle SetViewer(WindowHandle window) override;
  void ChangeChain(WindowHandle remove, WindowHandle next) override;

 private:
  // Opens the clipboard, trying again for a moment while another program holds it.
  bool OpenWaiting();

  HWND owner_;
};

}  // namespace korvane::platform::win32
