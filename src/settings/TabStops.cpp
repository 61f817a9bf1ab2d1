#include "settings/TabStops.h"

#include <cctype>

namespace korvane {

namespace {

constexpr std::int32_t kPlaces[kTabItems] = {1000000, 100000, 10000, 1000, 100, 10, 1};

// A field's whole number; nothing for an empty text or one with anything but digits. A long
// run of digits reads as too large (above 7) rather than overflowing.
std::optional<int> FieldNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return text.empty() ? std::nullopt : std::optional<int>(99);
  int number = 0;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace

TabNumbers SplitTabOrder(std::int32_t tabOrder) {
  TabNumbers numbers{};
  std::int64_t rest = tabOrder < 0 ? 0 : tabOrder;
  for (int k = 0; k < kTabItems; ++k) {
    const std::int64_t digit = rest / kPlaces[k];
    rest -= digit * kPlaces[k];
    numbers[k] = digit <= kMaxTabNumber ? static_cast<int>(digit) : 0;
  }
  return numbers;
}

std::int32_t PackTabOrder(const TabNumbers& numbers) {
  std::int32_t tabOrder = 0;
  for (int k = 0; k < kTabItems; ++k) tabOrder += numbers[k] * kPlaces[k];
  return tabOrder;
}

void TabStopEditor::Fill(std::int32_t tabOrder) {
  armed_ = false;
  numbers_ = SplitTabOrder(tabOrder);
}

void TabStopEditor::FieldChanged(int index, const std::string& text) {
  if (index < 0 || index >= kTabItems) return;
  const std::optional<int> number = FieldNumber(text);
  if (!number) return;
  Write(index, *number);
}

void TabStopEditor::Write(int index, int number) {
  // A number out of range is set to 0, which takes the item out of the order.
  if (number < 0 || number > kMaxTabNumber) number = 0;
  if (armed_) {
    Renumber(number, index);
  } else {
    numbers_[index] = number;
  }
}

void TabStopEditor::Renumber(int a, int index) {
  const int old = numbers_[index];
  if (a == old) return;
  for (int k = 0; k < kTabItems; ++k) {
    if (k == index) continue;
    int& n = numbers_[k];
    if (a == 0) {
      if (n > old) --n;  // the item leaves the order
    } else if (old == 0) {
      if (n >= a) ++n;  // it enters at a
    } else if (a > old) {
      if (n > old && n <= a) --n;  // it moves later
    } else if (n >= a && n < old) {
      ++n;  // it moves earlier
    }
  }
  numbers_[index] = a;
  // Written back into the fields, a number pushed to 8 is out of their range: that item
  // leaves the order.
  for (int k = 0; k < kTabItems; ++k) {
    if (numbers_[k] > kMaxTabNumber) Renumber(0, k);
  }
}

}  // namespace korvane
