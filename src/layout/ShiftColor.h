// A lighter or darker shade of a colour, for the raised frame.
#pragma once

#include "platform/Types.h"

namespace korvane {

// Adds delta to red, green and blue separately, each clamped to 0..255. The colour must
// already be a plain RGB value (resolve system colours first).
platform::Color ShiftRGB(platform::Color rgb, int delta);

}  // namespace korvane
