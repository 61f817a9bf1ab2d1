// Arbitrary bytes as Data\GroupIndex.dat: the reader must neither crash nor invent more names
// than the file has lines, and what it read must write and read back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "groups/GroupIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto names = korvane::DecodeGroupIndex(input);
  if (names.size() > size) __builtin_trap();
  bool plain = true;
  for (const auto& name : names) {
    // A name that starts with white space or is empty does not survive the "%d\n" skip.
    if (name.empty() || name.find_first_of(" \t\r\n\v\f\x1a") != std::string::npos) plain = false;
  }
  if (plain && korvane::DecodeGroupIndex(korvane::EncodeGroupIndex(names)) != names) {
    __builtin_trap();
  }
  return 0;
}
