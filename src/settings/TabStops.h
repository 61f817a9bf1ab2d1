// The tab stop numbers of the options dialog: a number 0..7 for each of the six option buttons
// and the memory buttons (0: no tab stop), kept a consistent ranking as the user changes one,
// and the setting TabOrder that holds them as seven decimal digits.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

constexpr int kTabItems = 7;  // copy, paste, cut, undo, redo, erase-all, memories
constexpr int kMaxTabNumber = 7;
using TabNumbers = std::array<int, kTabItems>;

// The seven digits of TabOrder, the copy button's the most significant. A digit above 7 (an
// edited settings file) and the digits of a value beyond seven digits mean no tab stop.
TabNumbers SplitTabOrder(std::int32_t tabOrder);
std::int32_t PackTabOrder(const TabNumbers& numbers);

class TabStopEditor {
 public:
  // The stored numbers, shown as they are; no renumbering until Arm.
  void Fill(std::int32_t tabOrder);
  void Arm() { armed_ = true; }

  // The text of field `index` changed (typed, by its arrows or by the program). A number above
  // 7 becomes 0, and every change renumbers the others. A text that is no number at all (a
  // field emptied before a new digit) changes nothing yet.
  void FieldChanged(int index, const std::string& text);

  const TabNumbers& Numbers() const { return numbers_; }

 private:
  void Renumber(int number, int index);
  void Write(int index, int number);

  TabNumbers numbers_{};
  bool armed_ = false;
};

}  // namespace korvane
