#include "layout/ShiftColor.h"

#include <algorithm>

namespace korvane {

platform::Color ShiftRGB(platform::Color rgb, int delta) {
  auto channel = [&](int shift) {
    int value = (static_cast<std::uint32_t>(rgb) >> shift) & 0xFF;
    return static_cast<std::uint32_t>(std::clamp(value + delta, 0, 255)) << shift;
  };
  return static_cast<platform::Color>(channel(0) | channel(8) | channel(16));
}

}  // namespace korvane
