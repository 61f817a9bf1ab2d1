// The TabOrder setting read as seven digits, one per focusable group: copy, paste, cut, undo,
// redo, erase-all, then all memory buttons together. 0 means no tab stop, 1..7 a place.
#pragma once

#include <array>
#include <cstdint>

namespace korvane {

enum TabGroup { TabCopy, TabPaste, TabCut, TabUndo, TabRedo, TabAllErase, TabMemories };
constexpr int kTabGroups = 7;

struct TabPlan {
  // slot[p] is the group at place p (1..7), or -1 when no group takes it.
  std::array<int, kTabGroups + 1> slot;
  // Groups whose digit is 0 (or no place at all): their tab stops are switched off.
  std::array<bool, kTabGroups> off;
};

// With a digit used twice the later group takes the place; the earlier one is left as it was.
TabPlan MakeTabPlan(std::int32_t tabOrder);

}  // namespace korvane
