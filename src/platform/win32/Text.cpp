#include "platform/win32/Text.h"

#include "platform/win32/Win32Api.h"

namespace korvane::platform::win32 {

namespace {

std::wstring ToWide(const char* text, size_t length) {
  if (length == 0) return {};
  const int size = static_cast<int>(length);
  const int wideLength = MultiByteToWideChar(kCodePage, 0, text, size, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(kCodePage, 0, text, size, wide.data(), wideLength);
  return wide;
}

}  // namespace

std::wstring ToWide(const std::string& text) { return ToWide(text.data(), text.size()); }

std::string FromWide(const wchar_t* text, size_t length) {
  if (length == 0) return {};
  const int size = static_cast<int>(length);
  const int narrowLength =
      WideCharToMultiByte(kCodePage, 0, text, size, nullptr, 0, nullptr, nullptr);
  if (narrowLength <= 0) return {};
  std::string narrow(static_cast<size_t>(narrowLength), '\0');
  WideCharToMultiByte(kCodePage, 0, text, size, narrow.data(), narrowLength, nullptr, nullptr);
  return narrow;
}

std::string FromWide(const std::wstring& text) { return FromWide(text.data(), text.size()); }

size_t LengthWithoutLoneLeadByte(const std::string& text) {
  // Lead bytes can only be told from trail bytes by walking from the start.
  size_t i = 0;
  while (i < text.size()) {
    if (IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(text[i]))) {
      if (i + 1 == text.size()) return i;
      i += 2;
    } else {
      ++i;
    }
  }
  return text.size();
}

std::wstring CaptionToWide(const std::string& text) {
  return ToWide(text.data(), LengthWithoutLoneLeadByte(text));
}

}  // namespace korvane::platform::win32
