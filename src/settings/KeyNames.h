// The keys the options dialog captures: their names, and the hotkey field's rules.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// Modifier codes as the settings store them (the virtual-key codes of the keys).
constexpr std::int32_t kModifierShift = 16;
constexpr std::int32_t kModifierCtrl = 17;
constexpr std::int32_t kModifierAlt = 18;

// The name of a key that can be the hotkey's main key ("Page Up" .. "Insert", digits, capital
// letters, "Num0".."Num9", "F1".."F12"); "" for any other key.
std::string HotKeyName(std::int32_t key);
// The name of a key that can be a direct-paste shortcut: the digits, letters, keypad digits and
// F-keys of the above; "" for any other key.
std::string ShortcutName(std::int32_t key);
// The key a shortcut cell's name stands for; 0 for an empty cell or any other text.
std::int16_t ShortcutKeyOf(const std::string& name);

// The hotkey field: the combination captured and the text it shows.
class HotKeyField {
 public:
  // Shows a combination: a prefix for the modifier ("Shift + ", "Alt + ", "Ctrl + "), then the
  // key's name; "なし" without either. A main key other than F1..F12 without a modifier gets
  // Alt, as a hotkey of a plain letter would take that letter from every program.
  void Set(std::int32_t key, std::int32_t modifier);
  // A key pressed in the field: one modifier from what is held, Shift before Alt before Ctrl.
  void KeyDown(std::int32_t key, bool shift, bool ctrl, bool alt);
  // A key released: a modifier left alone clears the hotkey.
  void KeyUp();

  std::int32_t Key() const { return key_; }
  std::int32_t Modifier() const { return modifier_; }
  const std::string& Text() const { return text_; }

 private:
  std::int32_t key_ = 0;
  std::int32_t modifier_ = 0;
  std::string text_;
};

}  // namespace korvane
