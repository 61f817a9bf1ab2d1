// A periodic timer on the system's timer thread, for steps that must come every few
// milliseconds: the system's timer resolution is raised to its finest while it runs. Each tick
// sends one message to a window and waits for it to be handled; ticks that come meanwhile are
// dropped.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace korvane::platform {

class TickTimer {
 public:
  virtual ~TickTimer() = default;

  // Starts ticking every periodMs, each tick `message` to `window` with wParam the number
  // this start returns (a running timer is stopped first). 0 when the system gave no timer.
  virtual std::uint32_t Start(WindowHandle window, std::uint32_t message, int periodMs) = 0;
  // Stops it, also from inside the handling of its own tick: it never waits for a tick in
  // progress. A tick of an earlier start that still arrives carries that start's number.
  virtual void Stop() = 0;
  // The tick's message has been handled: the next tick may be sent.
  virtual void TickHandled() = 0;
  // The number of the running start, 0 when none runs.
  virtual std::uint32_t Running() const = 0;
};

}  // namespace korvane::platform
