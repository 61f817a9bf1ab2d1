// The system clipboard and its viewer chain. Text is code page 932 on this side.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace korvane::platform {

// What one look at the clipboard found.
struct ClipboardContent {
  enum class Kind {
    Text,    // text is there
    NoText,  // nothing, or something that is not text (an image, files)
    Busy,    // another program holds the clipboard open: look again shortly
  };
  Kind What = Kind::NoText;
  std::string Text;
  // The text exactly as copied, when code page 932 has no form for some of its characters
  // (Text then holds "?" for them); empty otherwise.
  UnicodeText Exact;
  // The program that copied asked clipboard tools not to keep the contents (a password
  // manager marks its copies so): the formats "ExcludeClipboardContentFromMonitorProcessing"
  // or "Clipboard Viewer Ignore" are present, or "CanIncludeInClipboardHistory" holds the
  // DWORD 0.
  bool Private = false;
  // The system's count of clipboard changes, taken while the clipboard was open for this
  // look: two looks with the same number saw the same copy.
  std::uint32_t Sequence = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // One look, without waiting.
  virtual ClipboardContent Read() = 0;
  // The system's count of clipboard changes now.
  virtual std::uint32_t SequenceNumber() = 0;
  // Replaces the clipboard's contents with the text: `exact` as it is when not empty, else
  // `text`. When another program holds the clipboard it tries again for a moment; false when
  // the contents could not be replaced. Viewers are notified, the caller's own window possibly
  // before this returns.
  virtual bool SetText(const std::string& text, const UnicodeText& exact) = 0;

  // Joins the viewer chain at its front; returns the window that was first before.
  virtual WindowHandle SetViewer(WindowHandle window) = 0;
  virtual void ChangeChain(WindowHandle remove, WindowHandle next) = 0;
};

}  // namespace korvane::platform
