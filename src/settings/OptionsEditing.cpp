#include "settings/OptionsEditing.h"

#include <algorithm>

#include "app/Texts.h"

namespace korvane {

namespace {
constexpr std::int32_t kFirstArrow = 0x25;  // Left, Up, Right, Down: the grid's own keys
constexpr std::int32_t kLastArrow = 0x28;
constexpr platform::Color kButtonFace = platform::ClBtnFace;
constexpr platform::Color kDefaultSelectColor = 0xC8FFFF;
}  // namespace

void OptionsEditing::SetShortcutCount(int count) {
  // New rows come without a key; rows dropped by a lower count are gone for good.
  shortcuts_.resize(static_cast<std::size_t>(std::clamp(count, 1, kMaxShortcuts)));
}

std::string OptionsEditing::ShortcutLabel(int row) const {
  return kShortcutRowLabel + std::to_string(row + 1);
}

std::string OptionsEditing::ShortcutText(int row) const {
  if (row < 0 || row >= ShortcutCount()) return "";
  return shortcuts_[static_cast<std::size_t>(row)];
}

void OptionsEditing::ShortcutKeyDown(int row, int virtualKey) {
  if (row < 0 || row >= ShortcutCount()) return;
  if (virtualKey >= kFirstArrow && virtualKey <= kLastArrow) return;
  // A key without a shortcut name clears the row.
  shortcuts_[static_cast<std::size_t>(row)] = ShortcutName(virtualKey);
}

void OptionsEditing::SetShortcuts(const std::vector<std::int16_t>& keys) {
  // A stored count of 0 still shows one row: the count field starts at 1.
  shortcuts_.assign(std::max<std::size_t>(keys.size(), 1), "");
  shortcuts_.resize(std::min<std::size_t>(shortcuts_.size(), kMaxShortcuts));
  for (std::size_t i = 0; i < keys.size() && i < shortcuts_.size(); ++i) {
    shortcuts_[i] = ShortcutName(keys[i]);
  }
}

std::vector<std::int16_t> OptionsEditing::Shortcuts() const {
  std::vector<std::int16_t> keys;
  for (const std::string& name : shortcuts_) keys.push_back(ShortcutKeyOf(name));
  return keys;
}

int OptionsEditing::TabNumber(int index) const {
  if (index < 0 || index >= kTabItems) return 0;
  return tabStops_.Numbers()[static_cast<std::size_t>(index)];
}

void OptionsEditing::MemoryColorDefaults() {
  values_.MemoryBackColor = kButtonFace;
  values_.MemoryFontColor = platform::ClBlack;
  values_.MemorySelectColor = kDefaultSelectColor;
  values_.MemoryLockColor = kButtonFace;
}

void OptionsEditing::WorkspaceColorDefault() { values_.WorkspaceColor = kButtonFace; }

std::string OptionsEditing::OkRefusal() const {
  for (const std::string& name : shortcuts_) {
    if (name.empty()) return kShortcutsIncompleteMessage;
  }
  return "";
}

}  // namespace korvane
