#include "settings/KeyNames.h"

#include <array>

#include "app/Texts.h"

namespace korvane {

namespace {

constexpr std::int32_t kF1 = 0x70;
constexpr std::int32_t kF12 = 0x7B;

struct NamedKey {
  std::int32_t Key;
  const char* Name;
};
// The navigation keys: a hotkey, never a shortcut.
constexpr std::array<NamedKey, 9> kNavigationKeys = {{{0x21, "Page Up"},
                                                      {0x22, "Page Down"},
                                                      {0x23, "End"},
                                                      {0x24, "Home"},
                                                      {0x25, "Left"},
                                                      {0x26, "Up"},
                                                      {0x27, "Right"},
                                                      {0x28, "Down"},
                                                      {0x2D, "Insert"}}};

constexpr const char* kPrefixes[] = {"Shift + ", "Ctrl + ", "Alt + "};  // 16, 17, 18

bool IsBarePrefix(const std::string& text) {
  for (const char* prefix : kPrefixes) {
    if (text == prefix) return true;
  }
  return false;
}

}  // namespace

std::string ShortcutName(std::int32_t key) {
  if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
  if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return "Num" + std::to_string(key - 0x60);
  if (key >= kF1 && key <= kF12) return "F" + std::to_string(key - kF1 + 1);
  return "";
}

std::string HotKeyName(std::int32_t key) {
  for (const NamedKey& named : kNavigationKeys) {
    if (named.Key == key) return named.Name;
  }
  return ShortcutName(key);
}

std::int16_t ShortcutKeyOf(const std::string& name) {
  // Every shortcut name maps back to its key; the tables are small enough to search.
  for (std::int32_t key = '0'; key <= kF12; ++key) {
    if (!name.empty() && ShortcutName(key) == name) return static_cast<std::int16_t>(key);
  }
  return 0;
}

void HotKeyField::Set(std::int32_t key, std::int32_t modifier) {
  text_.clear();
  key_ = 0;
  modifier_ = 0;
  if (modifier >= kModifierShift && modifier <= kModifierAlt) {
    text_ = kPrefixes[modifier - kModifierShift];
    modifier_ = modifier;
  }
  const std::string name = HotKeyName(key);
  if (!name.empty()) key_ = key;
  if (name.empty() && modifier_ == 0) {
    text_ = kNoHotKey;
    key_ = 0;
    return;
  }
  if (modifier_ == 0 && !(key_ >= kF1 && key_ <= kF12)) {
    text_ = kPrefixes[kModifierAlt - kModifierShift];
    modifier_ = kModifierAlt;
  }
  text_ += name;
}

void HotKeyField::KeyDown(std::int32_t key, bool shift, bool ctrl, bool alt) {
  const std::int32_t modifier = shift ? kModifierShift : alt ? kModifierAlt : ctrl ? kModifierCtrl : 0;
  Set(key, modifier);
}

void HotKeyField::KeyUp() {
  if (!IsBarePrefix(text_)) return;
  text_ = kNoHotKey;
  key_ = 0;
  modifier_ = 0;
}

}  // namespace korvane
