#include "platform/win32/PreviewText.h"

#include "platform/win32/Text.h"

#include <algorithm>

namespace korvane::platform::win32 {

namespace {

// Lead bytes of code page 932. Which byte is a lead can only be told walking from the start:
// a trail byte can take any of these values too, and ASCII ones.
bool IsLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

size_t CharacterLength(const std::string& text, size_t at) {
  return IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
}

size_t CharacterLength(const UnicodeText& text, size_t at) {
  const bool pair = text[at] >= 0xD800 && text[at] <= 0xDBFF && at + 1 < text.size() &&
                    text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
  return pair ? 2 : 1;
}

// No layout breaks a line between two ASCII letters or digits. Anything else may be a break
// point to the system's (Wine breaks after a hyphen or a slash, and between Japanese
// characters); it ends the word here.
template <class Unit>
bool InUnbreakableWord(Unit c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Walks the text once, up to where the limits end it, handing each run of it to show to
// `keep(begin, end)` (code unit offsets) in order; true when the character limit ended it.
template <class Text, class Keep>
bool ShownRuns(const Text& text, PreviewLimits limits, Keep keep) {
  size_t lines = 1;
  size_t characters = 0;
  size_t word = 0;  // characters of the unbreakable word so far
  size_t kept = 0;  // where the run being kept began
  size_t at = 0;
  bool cut = false;
  while (at < text.size()) {
    const auto c = text[at];
    if (c == '\r' || c == '\n') {
      if (lines >= limits.lines) break;
      ++lines;
      word = 0;
      at += c == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
      continue;
    }
    word = InUnbreakableWord(c) ? word + 1 : 0;
    if (word > limits.wordCharacters) {
      if (kept < at) keep(kept, at);
      while (at < text.size() && InUnbreakableWord(text[at])) ++at;
      kept = at;
      word = 0;
      continue;
    }
    if (characters >= limits.characters) {
      cut = true;
      break;
    }
    ++characters;
    at += CharacterLength(text, at);
  }
  if (kept < at) keep(kept, at);
  return cut;
}

}  // namespace

PreviewLimits LimitsFor(int boxWidth, int maxHeight, int lineHeight, int narrowest) {
  PreviewLimits limits;
  limits.lines = static_cast<size_t>(std::max(maxHeight, 0) / std::max(lineHeight, 1)) + 1;
  limits.wordCharacters = static_cast<size_t>(std::max(boxWidth, 0) / std::max(narrowest, 1)) + 1;
  limits.characters = limits.lines * limits.wordCharacters;
  return limits;
}

std::wstring PreviewText(const std::string& text, const UnicodeText& exact, PreviewLimits limits,
                         bool* cut) {
  bool stopped = false;
  if (!exact.empty()) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 both");
    const auto* units = reinterpret_cast<const wchar_t*>(exact.data());
    std::wstring shown;
    stopped = ShownRuns(exact, limits, [&](size_t begin, size_t end) {
      shown.append(units + begin, end - begin);
    });
    if (cut) *cut = stopped;
    return shown;
  }
  // Converted in one go: the runs are short, and a call per run costs more under Wine.
  std::string shown;
  stopped = ShownRuns(text, limits, [&](size_t begin, size_t end) {
    shown.append(text, begin, end - begin);
  });
  if (cut) *cut = stopped;
  return ToWide(shown);
}

}  // namespace korvane::platform::win32
