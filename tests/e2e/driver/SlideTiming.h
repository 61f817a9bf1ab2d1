// The benchmark's stopwatch for the slide into the screen edge.
#pragma once

namespace kvdriver {

// time-slide <hwnd> <other-hwnd> [<timeout-ms>]: makes the other window the active one and
// watches the first window's rectangle, as often as the system allows, until it has stood
// still for 300 ms after changing. Answers the times of its changes since the activation:
// {"changes":[microseconds,...], "left":..., "top":..., "width":..., "height":...}.
int CmdTimeSlide(const wchar_t* const* args, int count);

}  // namespace kvdriver
