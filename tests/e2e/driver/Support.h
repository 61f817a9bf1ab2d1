// What every kvdriver subcommand shares: its one JSON answer, and reading its arguments.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

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
