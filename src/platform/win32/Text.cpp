#include "platform/win32/Text.h"

#include "platform/win32/Win32Api.h"

#include <algorithm>

namespace korvane::platform::win32 {

namespace {

// Up to `limit` characters, or to the first null before them when `toNull`.
//
// A copied text can run to megabytes. Code page 932 keeps ASCII as it is, so ASCII is
// copied straight in the same pass that looks for the end, instead of a scan and then the
// system's two passes (one to count, one to convert); only the rest goes through the
// system, piece by piece, never cut between a surrogate pair's halves. (For 10 MB under
// Wine most of the remaining time is the first touch of the new string's pages.)
//
// A character that code page 932 has no form for becomes "?", never a look-alike: the system's
// best fit would turn "é" into "e" and some characters into a path separator or a quote.
// `lossy`, when given, tells whether any did.
std::string Narrow(const wchar_t* text, size_t limit, bool toNull, bool* lossy) {
  constexpr size_t kPiece = 4096;
  std::string narrow(limit, '\0');  // a byte a character; grown where one needs two
  size_t out = 0;
  for (size_t start = 0; start < limit;) {
    size_t end = std::min(limit, start + kPiece);
    if (end < limit && IS_HIGH_SURROGATE(text[end - 1])) ++end;
    size_t i = start;
    char* to = narrow.data() + out;
    while (i < end && text[i] < 0x80 && (text[i] != 0 || !toNull)) {
      *to++ = static_cast<char>(text[i++]);
    }
    out += i - start;
    if (i < end && text[i] == 0 && toNull) break;
    size_t stop = end;
    if (toNull) stop = std::find(text + i, text + end, L'\0') - text;
    if (i < stop) {
      const int size = static_cast<int>(stop - i);
      const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text + i, size,
                                             nullptr, 0, "?", nullptr);
      const size_t needed = out + static_cast<size_t>(std::max(length, 0)) + (limit - stop);
      if (needed > narrow.size()) narrow.resize(std::max(needed, narrow.size() / 2 * 3));
      if (length > 0) {
        BOOL defaulted = FALSE;
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text + i, size,
                            narrow.data() + out, length, "?", &defaulted);
        if (defaulted && lossy) *lossy = true;
        out += static_cast<size_t>(length);
      }
    }
    if (stop < end) break;  // the null
    start = end;
  }
  narrow.resize(out);
  return narrow;
}

}  // namespace

std::wstring ToWide(const char* text, size_t length) {
  if (length == 0) return {};
  const int size = static_cast<int>(length);
  const int wideLength = MultiByteToWideChar(kCodePage, 0, text, size, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(kCodePage, 0, text, size, wide.data(), wideLength);
  return wide;
}

std::wstring ToWide(const std::string& text) { return ToWide(text.data(), text.size()); }

std::string FromWide(const wchar_t* text, size_t length) {
  return Narrow(text, length, false, nullptr);
}

std::string FromWideUpToNull(const wchar_t* text, size_t capacity, bool* lossy) {
  if (lossy) *lossy = false;
  return Narrow(text, capacity, true, lossy);
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
