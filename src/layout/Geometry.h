// The window-size arithmetic of the memory grid, free of any window.
#pragma once

#include <cstdint>

namespace korvane {

constexpr int kColumnBase = 151;   // memory button 130, gap 1, lock button 20
constexpr int kFirstRowTop = 40;   // below the option buttons
constexpr int kRowPitch = 25;
constexpr int kHeightExtra = 45;   // 40 above the first row, 10 below the last button

// Width of the expanded window for `count` memories, `perColumn` to a column, margin M.
int FormWidthFor(std::int64_t count, int perColumn, int margin);
// Height of the expanded window.
int FormHeightFor(std::int64_t count, int perColumn);
// A column needs at least one memory; a damaged settings file must not divide by zero.
int UsablePerColumn(int perColumn);

}  // namespace korvane
