#include "groups/GroupIndex.h"

#include <cstdint>

#include "platform/TextMode.h"

namespace korvane {

std::vector<std::string> DecodeGroupIndex(const std::string& bytes) {
  const std::string text = platform::FromTextModeBytes(bytes);
  std::size_t pos = 0;
  std::int32_t count = 0;
  std::vector<std::string> names;
  if (!platform::ScanDecimal(text, pos, count)) return names;
  // "%d\n": the newline of the format skips all white space after the number.
  while (pos < text.size() && platform::IsSpace(text[pos])) ++pos;
  // Each name is the rest of its line; the end of the file ends the last one.
  for (std::int32_t i = 0; i < count && pos < text.size(); ++i) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    names.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return names;
}

std::string EncodeGroupIndex(const std::vector<std::string>& names) {
  std::string text = std::to_string(names.size()) + "\n";
  for (const std::string& name : names) text += name + "\n";
  return platform::ToTextModeBytes(text);
}

}  // namespace korvane
