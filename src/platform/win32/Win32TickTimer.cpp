#include "platform/win32/Win32TickTimer.h"

#include <mmsystem.h>

#include <algorithm>

namespace korvane::platform::win32 {

Win32TickTimer::~Win32TickTimer() { Stop(); }

std::uint32_t Win32TickTimer::Start(WindowHandle window, std::uint32_t message, int periodMs) {
  Stop();
  TIMECAPS caps{};
  if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR) caps.wPeriodMin = 1;
  resolution_ = caps.wPeriodMin;
  timeBeginPeriod(resolution_);
  // Numbers start at 1 and never repeat within a run; 0 means none.
  const std::uint32_t number = ++count_ == 0 ? ++count_ : count_;
  Start_& start = starts_[number % starts_.size()];
  start.window = reinterpret_cast<HWND>(window);
  start.message = message;
  start.number = number;
  start.busy.store(false);
  timer_ = timeSetEvent(static_cast<UINT>(std::max(periodMs, 1)), resolution_, &Tick,
                        reinterpret_cast<DWORD_PTR>(&start), TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
  if (timer_ == 0) {
    timeEndPeriod(resolution_);
    return 0;
  }
  running_ = number;
  return number;
}

void Win32TickTimer::Stop() {
  if (timer_ == 0) return;
  // Not TIME_KILL_SYNCHRONOUS: that would wait for a callback that waits for us.
  timeKillEvent(timer_);
  timer_ = 0;
  running_ = 0;
  timeEndPeriod(resolution_);
}

void Win32TickTimer::TickHandled() {
  if (running_ != 0) starts_[running_ % starts_.size()].busy.store(false);
}

void CALLBACK Win32TickTimer::Tick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) noexcept {
  auto* start = reinterpret_cast<Start_*>(user);
  // One message at a time: the test and the set are one step, so no two ticks pass.
  if (start->busy.exchange(true)) return;
  SendMessageW(start->window, start->message, start->number, 0);
}

}  // namespace korvane::platform::win32
