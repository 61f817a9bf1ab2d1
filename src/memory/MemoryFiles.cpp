#include "memory/MemoryFiles.h"

#include "platform/TextMode.h"

namespace korvane {

using platform::FromTextModeBytes;
using platform::ToTextModeBytes;

std::string CountFileReadName() { return "Index.dat"; }
std::string CountFileWriteName() { return "index.dat"; }
std::string MemoryFileReadName(int index) { return "Memory" + std::to_string(index) + ".dat"; }
std::string MemoryFileWriteName(int index) { return "memory" + std::to_string(index) + ".dat"; }

std::string EncodeCountFile(std::int32_t count) { return std::to_string(count); }

std::optional<std::int32_t> DecodeCountFile(const std::string& bytes) {
  std::string text = FromTextModeBytes(bytes);
  std::size_t pos = 0;
  std::int32_t count = 0;
  if (!platform::ScanDecimal(text, pos, count)) return std::nullopt;
  return count;
}

std::string EncodeMemoryFile(const std::string& text) { return ToTextModeBytes(text); }

std::string DecodeMemoryFile(const std::string& bytes) {
  return ToTextModeBytes(FromTextModeBytes(bytes));
}

}  // namespace korvane
