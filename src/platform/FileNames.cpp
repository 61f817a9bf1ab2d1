#include "platform/FileNames.h"

#include <array>
#include <cstddef>

namespace korvane::platform {

namespace {

constexpr std::size_t kMaxNameLength = 255;

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Single bytes that code page 932 gives no character of its own, and control characters.
bool IsUnusableSingleByte(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x80 || c == 0xA0 || c >= 0xFD;
}

bool IsReservedCharacter(char c) {
  switch (c) {
    case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
      return true;
    default:
      return false;
  }
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDeviceName(const std::string& name) {
  // The device is found by the part before the first dot, blanks at its end ignored.
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = Upper(c);
  static const std::array<const char*, 6> kPlain = {"CON", "PRN", "AUX", "NUL", "CONIN$",
                                                    "CONOUT$"};
  for (const char* device : kPlain) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '0' && base[3] <= '9';
}

}  // namespace

bool HasOnlyFileNameCharacters(const std::string& name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(c)) {
      // A lead byte without its trail byte is no character at all.
      if (i + 1 >= name.size() || !IsTrailByte(static_cast<unsigned char>(name[i + 1]))) {
        return false;
      }
      ++i;
    } else if (IsUnusableSingleByte(c) || IsReservedCharacter(name[i])) {
      return false;
    }
  }
  return true;
}

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  if (!HasOnlyFileNameCharacters(name)) return false;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < name.size(); ++i, ++characters) {
    if (IsLeadByte(static_cast<unsigned char>(name[i]))) ++i;
  }
  return characters <= kMaxNameLength && !IsDeviceName(name);
}

bool EqualsIgnoringCase932(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (Upper(a[i]) != Upper(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace korvane::platform
