#include "layout/Geometry.h"

#include <algorithm>

namespace korvane {

int UsablePerColumn(int perColumn) { return std::max(perColumn, 1); }

int FormWidthFor(std::int64_t count, int perColumn, int margin) {
  if (count <= 0) return 2 * margin + kColumnBase;
  const std::int64_t p = UsablePerColumn(perColumn);
  const std::int64_t columns = (count + p - 1) / p;
  return static_cast<int>(margin + columns * (margin + kColumnBase));
}

int FormHeightFor(std::int64_t count, int perColumn) {
  const std::int64_t rows = std::min<std::int64_t>(std::max<std::int64_t>(count, 0),
                                                    UsablePerColumn(perColumn));
  return static_cast<int>(rows * kRowPitch + kHeightExtra);
}

}  // namespace korvane
