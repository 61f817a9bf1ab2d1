// Pasting without the mouse: Enter pastes the focused memory, a direct-paste key the memory
// of its number.
#include "app/Main.h"

namespace korvane {

namespace {
constexpr std::uint16_t kVkReturn = 0x0D;
}  // namespace

void TForm1::FormKeyUp(std::uint16_t key) {
  if (key == kVkReturn) {
    if (LockedTable && LockedTable->PasteFocused()) return;
    if (UnlockedTable) UnlockedTable->PasteFocused();
    return;
  }
  // The first entry with the key wins; modifiers held with it do not matter.
  const auto& keys = Config.DirectPasteKeys;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] != 0 && static_cast<std::uint16_t>(keys[i]) == key) {
      PasteNumber(static_cast<int>(i) + 1);
      return;
    }
  }
}

void TForm1::PasteNumber(int n) {
  const int locked = LockedCount();
  if (n < 1) return;
  if (n <= locked) {
    LockedTable->PasteNth(n);
  } else if (n - locked <= UnlockedCount()) {
    UnlockedTable->PasteNth(n - locked);
  }
}

}  // namespace korvane
