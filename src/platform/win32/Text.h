// Text crosses into Windows here: the program's code page 932 bytes become UTF-16 for the W
// functions and back. Code page 932 is always named, never the system's ANSI code page, which
// is 1252 on Wine and on Western Windows.
#pragma once

#include <string>

namespace korvane::platform::win32 {

constexpr unsigned kCodePage = 932;

std::wstring ToWide(const std::string& text);
std::wstring ToWide(const char* text, size_t length);
std::string FromWide(const std::wstring& text);
std::string FromWide(const wchar_t* text, size_t length);
// Code page 932 has no form for some characters: they become "?", never a look-alike.
// Up to the first null, but never past `capacity` characters (a block someone else filled);
// `lossy`, when given, tells whether a character became "?".
std::string FromWideUpToNull(const wchar_t* text, size_t capacity, bool* lossy = nullptr);

// For showing a caption: a caption cut to a byte count can end in the first byte of a
// double-byte character, which would show as a replacement character; that byte is dropped.
std::wstring CaptionToWide(const std::string& text);

// The length of `text` without a lone lead byte at its end.
size_t LengthWithoutLoneLeadByte(const std::string& text);

}  // namespace korvane::platform::win32
