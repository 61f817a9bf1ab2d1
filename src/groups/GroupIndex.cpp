#include "groups/GroupIndex.h"

#include <algorithm>
#include <cstdint>

#include "app/Texts.h"
#include "platform/TextMode.h"

namespace korvane {

namespace {

// The rest of the line at pos; the end of the file ends the last one.
std::string TakeLine(const std::string& text, std::size_t& pos) {
  std::size_t end = text.find('\n', pos);
  if (end == std::string::npos) end = text.size();
  std::string line = text.substr(pos, end - pos);
  pos = end + 1;
  return line;
}

bool IsBlank(const std::string& line) {
  return std::all_of(line.begin(), line.end(), platform::IsSpace);
}

}  // namespace

std::vector<std::string> DecodeGroupIndex(const std::string& bytes) {
  const std::string text = platform::FromTextModeBytes(bytes);
  std::size_t pos = 0;
  std::int32_t count = 0;
  std::vector<std::string> names;
  if (platform::ScanDecimal(text, pos, count) && count > 0) {
    // "%d\n": the newline of the format skips all white space after the number.
    while (pos < text.size() && platform::IsSpace(text[pos])) ++pos;
    for (std::int32_t i = 0; i < count && pos < text.size(); ++i) {
      names.push_back(TakeLine(text, pos));
    }
    return names;
  }
  // A damaged count must not cost the user the groups listed below it: the line where the
  // count belongs is passed over, and every line after it that is not blank is a name.
  TakeLine(text, pos);
  while (pos < text.size()) {
    std::string line = TakeLine(text, pos);
    if (!IsBlank(line)) names.push_back(std::move(line));
  }
  if (names.empty()) return names;
  // The index written back must start with the default group. Moved there when it is listed
  // further down, added only when it is missing: no group is renamed, dropped or doubled.
  const auto found = std::find(names.begin(), names.end(), kDefaultGroupName);
  if (found == names.end()) {
    names.insert(names.begin(), kDefaultGroupName);
  } else {
    std::rotate(names.begin(), found, found + 1);
  }
  return names;
}

std::string EncodeGroupIndex(const std::vector<std::string>& names) {
  std::string text = std::to_string(names.size()) + "\n";
  for (const std::string& name : names) text += name + "\n";
  return platform::ToTextModeBytes(text);
}

}  // namespace korvane
