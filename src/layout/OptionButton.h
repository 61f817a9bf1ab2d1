// The six option buttons above the memories: five send an editing shortcut to the window the
// user worked in, the sixth erases every unlocked memory.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/MainWindow.h"
#include "settings/Settings.h"

namespace korvane {

// In the order of the TabOrder digits, from the most significant.
enum class OptionKind { Copy, Paste, Cut, Undo, Redo, AllErase };
constexpr int kOptionKinds = 6;

struct OptionSpec {
  OptionKind Kind;
  const char* BitmapFile;  // under Data\ beside the executable
  const char* Hint;        // code page 932
  std::uint8_t Key;        // the letter sent with Ctrl; 0 for erase-all
  bool Settings::*Shown;
};

const OptionSpec& SpecOf(OptionKind kind);
// Erase-all, redo, undo, cut, paste, copy: the order in which the buttons are made, and in
// which the layout places them from the right.
const std::array<OptionKind, kOptionKinds>& OptionCreationOrder();

constexpr int kOptionButtonSize = 25;
constexpr int kOptionButtonTop = 5;

class OptionButton final : private platform::ImageButtonEvents {
 public:
  OptionButton(platform::MainWindow& window, OptionKind kind,
               std::function<void(OptionKind)> onClick);

  const OptionKind Kind;
  std::unique_ptr<platform::ImageButton> Button;

 private:
  void ImageButtonClick() override;
  std::function<void(OptionKind)> onClick_;
};

}  // namespace korvane
