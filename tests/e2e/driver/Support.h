// What every kvdriver subcommand shares: its one JSON answer, reading its arguments, and a
// window's class and text.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "Json.h"

namespace kvdriver {

// Written with WriteFile, not stdio: the bytes must reach the pipe as UTF-8, untranslated.
inline void Emit(const std::string& line) {
  std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

// Milliseconds on the performance counter, for stopwatches.
inline double NowMs() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline int Fail(int code, const std::string& message) {
  Json j;
  j.Begin().Str("error", message).End();
  Emit(j.Text());
  return code;
}

inline long long HandleValue(HWND hwnd) {
  return static_cast<long long>(reinterpret_cast<ULONG_PTR>(hwnd));
}

inline DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

inline std::wstring ClassOf(HWND hwnd) {
  wchar_t buf[256] = {};
  GetClassNameW(hwnd, buf, 256);
  return buf;
}

// The text as the window itself answers WM_GETTEXT (a control may keep its own caption);
// the text the system keeps for the window when it does not answer in time.
inline std::wstring TextOf(HWND hwnd) {
  constexpr UINT kTimeoutMs = 2000;
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                          &length)) {
    std::vector<wchar_t> buf(length + 2, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                            SMTO_ABORTIFHUNG, kTimeoutMs, &copied)) {
      return std::wstring(buf.data(), wcsnlen(buf.data(), buf.size()));
    }
  }
  wchar_t buf[1024] = {};
  InternalGetWindowText(hwnd, buf, 1024);
  return buf;
}

inline bool ParseHandle(const wchar_t* text, HWND& hwnd) {
  wchar_t* end = nullptr;
  unsigned long long value = std::wcstoull(text, &end, 0);
  if (end == text || *end != L'\0') return false;
  hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
  return true;
}

inline bool ParseInt(const wchar_t* text, long& value) {
  wchar_t* end = nullptr;
  value = std::wcstol(text, &end, 0);
  return end != text && *end == L'\0';
}

// Arguments cross the Unix/Windows border through the locale; hex keeps any text intact.
inline bool FromHex(const std::wstring& hex, std::string& out) {
  if (hex.size() % 2 != 0) return false;
  for (size_t i = 0; i < hex.size(); i += 2) {
    wchar_t pair[3] = {hex[i], hex[i + 1], L'\0'};
    wchar_t* end = nullptr;
    unsigned long byte = std::wcstoul(pair, &end, 16);
    if (end != pair + 2) return false;
    out += static_cast<char>(byte);
  }
  return true;
}

}  // namespace kvdriver
