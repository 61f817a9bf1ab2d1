#include "layout/TabPlan.h"

#include <cstdlib>

namespace korvane {

TabPlan MakeTabPlan(std::int32_t tabOrder) {
  TabPlan plan;
  plan.slot.fill(-1);
  plan.off.fill(false);
  // A damaged file may hold any number: read the digits of its magnitude, and give a digit
  // with no place (8, 9, or a leading part beyond seven digits) no tab stop.
  std::int64_t rest = std::llabs(static_cast<std::int64_t>(tabOrder));
  std::int64_t weight = 1000000;
  for (int group = 0; group < kTabGroups; ++group, weight /= 10) {
    const std::int64_t digit = rest / weight;
    rest %= weight;
    if (digit >= 1 && digit <= kTabGroups) {
      plan.slot[digit] = group;
    } else {
      plan.off[group] = true;
    }
  }
  return plan;
}

}  // namespace korvane
