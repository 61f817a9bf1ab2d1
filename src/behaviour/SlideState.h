// Where the window stands in its slide into the screen edge.
#pragma once

namespace korvane {

enum class SlideState { Collapsed, Expanded, Sliding };

}  // namespace korvane
