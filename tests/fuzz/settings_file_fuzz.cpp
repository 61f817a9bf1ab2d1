// Arbitrary bytes as Data\Setting.dat: the reader must not crash, must leave every setting the
// program divides by or sizes with in range, and what it read must write and read back alike.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  StoredSettings stored;
  ReadSettingsFile(std::string(reinterpret_cast<const char*>(data), size), stored);
  const Settings& c = stored.Config;
  if (c.MemoriesPerColumn < 1 || c.MemoryLimit < 1 || c.MemoryLimit > 99 || c.HiddenWidth < 1 ||
      c.HideWait < 100 || c.ScrollAmount < 0 || c.DirectPasteKeys.size() > 32767) {
    __builtin_trap();
  }
  const std::string written = WriteSettingsFile(stored);
  StoredSettings again;
  if (!ReadSettingsFile(written, again).Complete || WriteSettingsFile(again) != written) {
    __builtin_trap();
  }
  return 0;
}
