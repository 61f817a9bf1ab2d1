// Arbitrary bytes as Data\Setting.dat: the reader must not crash, must leave every setting the
// program divides by, sizes with or times by usable, and what it read must write and read back
// alike. Values a user set by hand beyond the options dialog's ranges are kept, so only what
// would break the program is out of bounds here. The run starts from the shipped file (see
// CMakeLists.txt): arbitrary bytes seldom get as far as the later entries.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  StoredSettings stored;
  ReadSettingsFile(std::string(reinterpret_cast<const char*>(data), size), stored);
  const Settings& c = stored.Config;
  if (c.MemoriesPerColumn < 1 || c.MemoryLimit < 1 || c.HiddenWidth < 0 || c.HideWait < 1 ||
      c.ScrollAmount < 0 || c.DirectPasteKeys.size() > 32767) {
    __builtin_trap();
  }
  const std::string written = WriteSettingsFile(stored);
  StoredSettings again;
  if (!ReadSettingsFile(written, again).Complete || WriteSettingsFile(again) != written) {
    __builtin_trap();
  }
  return 0;
}
