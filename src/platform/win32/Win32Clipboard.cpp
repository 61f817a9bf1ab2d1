#include "platform/win32/Win32Clipboard.h"

#include <cstring>

#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

bool Win32Clipboard::Open() {
  // Another program (a viewer reading what was just copied) may hold the clipboard for a
  // moment; try again for about a tenth of a second before giving up.
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner_)) return true;
    Sleep(10);
  }
  return false;
}

bool Win32Clipboard::GetText(std::string& text) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  if (!Open()) return false;
  bool ok = false;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      // Up to the terminating null, but never past the block, whoever put it there.
      text = FromWideUpToNull(wide, GlobalSize(data) / sizeof(wchar_t));
      GlobalUnlock(data);
      ok = true;
    }
  }
  CloseClipboard();
  return ok;
}

bool Win32Clipboard::IsPrivate() {
  // Registered formats are process-independent ids for the names; registering an existing
  // name returns its id.
  static const UINT exclude =
      RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
  static const UINT ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
  static const UINT history = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
  if ((exclude && IsClipboardFormatAvailable(exclude)) ||
      (ignore && IsClipboardFormatAvailable(ignore))) {
    return true;
  }
  if (!history || !IsClipboardFormatAvailable(history) || !Open()) return false;
  bool excluded = false;
  if (const HANDLE data = GetClipboardData(history)) {
    if (GlobalSize(data) >= sizeof(DWORD)) {
      if (const auto* value = static_cast<const DWORD*>(GlobalLock(data))) {
        excluded = *value == 0;
        GlobalUnlock(data);
      }
    }
  }
  CloseClipboard();
  return excluded;
}

bool Win32Clipboard::SetText(const std::string& text) {
  const std::wstring wide = ToWide(text);
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

  if (!Open()) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // The system makes CF_TEXT from it for those who ask.
  const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
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
