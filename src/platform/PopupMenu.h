// A popup menu as the program describes it; the platform builds it each time it opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::platform {

struct MenuItem {
  static constexpr char kSeparator[] = "-";

  std::string caption;        // code page 932; kSeparator draws a separator line
  std::uint32_t command = 0;  // reported when the item is chosen; 0 for separators and submenus
  bool checked = false;
  bool radio = false;  // a checked radio item shows a bullet instead of a tick
  std::vector<MenuItem> submenu;

  bool IsSeparator() const { return caption == kSeparator; }
};

}  // namespace korvane::platform
