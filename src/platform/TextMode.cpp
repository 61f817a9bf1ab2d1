#include "platform/TextMode.h"

#include <limits>

namespace korvane::platform {

std::string ToTextModeBytes(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string FromTextModeBytes(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    if (c == '\x1a') break;
    if (c != '\r') out += c;
  }
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool ScanDecimal(const std::string& text, std::size_t& pos, std::int32_t& value) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  std::size_t p = pos;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    negative = text[p] == '-';
    ++p;
  }
  if (p >= text.size() || text[p] < '0' || text[p] > '9') return false;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int64_t magnitude = 0;
  while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
    if (magnitude <= kMax + 1) magnitude = magnitude * 10 + (text[p] - '0');
    ++p;
  }
  if (negative) {
    value = magnitude > kMax + 1 ? std::numeric_limits<std::int32_t>::min()
                                 : static_cast<std::int32_t>(-magnitude);
  } else {
    value = magnitude > kMax ? std::numeric_limits<std::int32_t>::max()
                             : static_cast<std::int32_t>(magnitude);
  }
  pos = p;
  return true;
}

bool ScanWord(const std::string& text, std::size_t& pos, std::string& word) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  if (pos >= text.size()) return false;
  std::size_t start = pos;
  while (pos < text.size() && !IsSpace(text[pos])) ++pos;
  word.assign(text, start, pos - start);
  return true;
}

}  // namespace korvane::platform
