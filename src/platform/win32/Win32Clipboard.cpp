#include "platform/win32/Win32Clipboard.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

namespace {

// While a paste waits for another program to let go of the clipboard; a copy is looked at
// again later instead, on the window's timer.
constexpr int kSetAttempts = 25;
constexpr DWORD kAttemptPauseMs = 10;

// Registered formats are process-independent ids for the names; registering an existing name
// returns its id.
bool MarkedPrivate() {
  static const UINT exclude =
      RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
  static const UINT ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
  static const UINT history = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
  if ((exclude && IsClipboardFormatAvailable(exclude)) ||
      (ignore && IsClipboardFormatAvailable(ignore))) {
    return true;
  }
  if (!history || !IsClipboardFormatAvailable(history)) return false;
  bool excluded = false;
  if (const HANDLE data = GetClipboardData(history)) {
    if (GlobalSize(data) >= sizeof(DWORD)) {
      if (const auto* value = static_cast<const DWORD*>(GlobalLock(data))) {
        excluded = *value == 0;
        GlobalUnlock(data);
      }
    }
  }
  return excluded;
}

}  // namespace

bool Win32Clipboard::OpenWaiting() {
  for (int attempt = 0;; ++attempt) {
    if (OpenClipboard(owner_)) return true;
    if (attempt + 1 >= kSetAttempts) return false;
    // Messages other threads send us are answered meanwhile: the program holding the
    // clipboard may be waiting for one of them.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kAttemptPauseMs, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

ClipboardContent Win32Clipboard::Read() {
  ClipboardContent content;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) {
    content.Sequence = GetClipboardSequenceNumber();
    return content;
  }
  if (!OpenClipboard(owner_)) {
    content.What = ClipboardContent::Kind::Busy;
    return content;
  }
  // Nothing changes the clipboard while we hold it open.
  content.Sequence = GetClipboardSequenceNumber();
  content.Private = MarkedPrivate();
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      // Up to the terminating null, but never past the block, whoever put it there.
      const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
      bool lossy = false;
      content.Text = FromWideUpToNull(wide, capacity, &lossy);
      if (lossy) {
        const size_t length = std::find(wide, wide + capacity, L'\0') - wide;
        content.Exact.assign(reinterpret_cast<const char16_t*>(wide), length);
      }
      GlobalUnlock(data);
      content.What = ClipboardContent::Kind::Text;
    }
  }
  CloseClipboard();
  return content;
}

std::uint32_t Win32Clipboard::SequenceNumber() { return GetClipboardSequenceNumber(); }

bool Win32Clipboard::SetText(const std::string& text, const UnicodeText& exact) {
  const std::wstring wide =
      exact.empty() ? ToWide(text)
                    : std::wstring(reinterpret_cast<const wchar_t*>(exact.data()), exact.size());
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory);

  if (!OpenWaiting()) {
    GlobalFree(memory);
    return false;
  }
  // The system makes CF_TEXT from it for those who ask.
  const bool ok = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!ok) GlobalFree(memory);  // the clipboard owns it only on success
  CloseClipboard();
  return ok;
}

WindowHandle Win32Clipboard::SetViewer(WindowHandle window) {
  return reinterpret_cast<WindowHandle>(SetClipboardViewer(reinterpret_cast<HWND>(window)));
}

void Win32Clipboard::ChangeChain(WindowHandle remove, WindowHandle next) {
  ChangeClipboardChain(reinterpret_cast<HWND>(remove), reinterpret_cast<HWND>(next));
}

}  // namespace korvane::platform::win32
