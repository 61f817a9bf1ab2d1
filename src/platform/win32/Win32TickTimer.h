// The tick timer on the multimedia timer (timeSetEvent), with timeBeginPeriod and
// timeEndPeriod paired with each start and stop.
#pragma once

#include "platform/win32/Win32Api.h"

#include <array>
#include <atomic>

#include "platform/TickTimer.h"

namespace korvane::platform::win32 {

class Win32TickTimer : public TickTimer {
 public:
  Win32TickTimer() = default;
  ~Win32TickTimer() override;
  Win32TickTimer(const Win32TickTimer&) = delete;
  Win32TickTimer& operator=(const Win32TickTimer&) = delete;

  std::uint32_t Start(WindowHandle window, std::uint32_t message, int periodMs) override;
  void Stop() override;
  void TickHandled() override;
  std::uint32_t Running() const override { return running_; }

 private:
  // What one start's callback needs. Kept for several starts after its own: a killed timer's
  // callback may still be sending its last tick, and must find these alive. Each start has its
  // own busy flag, so such a late tick cannot hold back the ticks of the start after it.
  struct Start_ {
    HWND window = nullptr;
    UINT message = 0;
    std::uint32_t number = 0;
    std::atomic<bool> busy{false};
  };
  static void CALLBACK Tick(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) noexcept;

  std::array<Start_, 8> starts_{};
  std::uint32_t count_ = 0;
  std::uint32_t running_ = 0;
  UINT timer_ = 0;
  UINT resolution_ = 0;
};

}  // namespace korvane::platform::win32
