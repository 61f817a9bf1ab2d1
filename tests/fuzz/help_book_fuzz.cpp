// Arbitrary bytes as Help\Korvane.hlp: the reader must neither crash nor hang, stay within its
// limits, and give only well-formed code page 932 titles of one line, with every context
// finding a topic of that context.
#include <cstddef>
#include <cstdint>
#include <string>

#include "help/HelpBook.h"

namespace {

bool WellFormed932(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      const auto t = i + 1 < text.size() ? static_cast<unsigned char>(text[++i]) : 0;
      if (t < 0x40 || t > 0xFC || t == 0x7F) return false;
    } else if (c == 0x80 || c == 0xA0 || c >= 0xFD || c == 0x7F || c == 0 || c == 0x1A) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using korvane::HelpBook;
  const HelpBook book = HelpBook::Parse(std::string(reinterpret_cast<const char*>(data), size));
  const auto& topics = book.Topics();
  if (topics.size() > HelpBook::kMaxTopics || topics.size() > size) __builtin_trap();
  for (const auto& topic : topics) {
    if (topic.Title.empty() || topic.Title.size() > HelpBook::kMaxTitleBytes) __builtin_trap();
    if (topic.Title.find_first_of("\t\r\n") != std::string::npos) __builtin_trap();
    if (!WellFormed932(topic.Title) || !WellFormed932(topic.Body)) __builtin_trap();
    if (topics[book.IndexOf(topic.Context)].Context != topic.Context) __builtin_trap();
  }
  return 0;
}
