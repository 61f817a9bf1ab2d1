// The tick timer under the real multimedia timer: one tick's message at a time, and a stop
// from inside the handling of its own tick that neither waits nor lets a tick through after.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Win32TickTimer.h"

namespace korvane::platform::win32 {
namespace {

constexpr UINT kTick = WM_APP + 7;

struct Ticks {
  Win32TickTimer timer;
  std::vector<WPARAM> numbers;  // of the ticks handled
  int stale = 0;                // ticks of a stopped start, which a handler passes over
  int stopAt = 0;               // the handled tick that stops the timer
  DWORD handleMs = 0;           // how long each tick's handling takes
};

LRESULT CALLBACK TickWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* ticks = reinterpret_cast<Ticks*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message != kTick || !ticks) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (wParam != ticks->timer.Running()) {
    ++ticks->stale;
    return 0;
  }
  ticks->numbers.push_back(wParam);
  if (ticks->handleMs) Sleep(ticks->handleMs);
  if (static_cast<int>(ticks->numbers.size()) == ticks->stopAt) {
    ticks->timer.Stop();
  } else {
    ticks->timer.TickHandled();
  }
  return 0;
}

HWND MakeWindow(Ticks& ticks) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TickWindow;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvaneTickTest";
  RegisterClassW(&wc);
  const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                    nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ticks));
  return hwnd;
}

// Serves our messages for `ms`, as the message loop does.
void Pump(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

TEST(TickTimer, AStopInsideItsOwnTickEndsTheTicksAtOnce) {
  Ticks ticks;
  ticks.stopAt = 3;
  const HWND window = MakeWindow(ticks);
  const std::uint32_t number = ticks.timer.Start(reinterpret_cast<WindowHandle>(window), kTick, 5);
  ASSERT_NE(number, 0u);
  EXPECT_EQ(ticks.timer.Running(), number);
  Pump(400);
  EXPECT_EQ(ticks.numbers, (std::vector<WPARAM>(3, number)));
  EXPECT_EQ(ticks.stale, 0);  // stopped inside its own tick: none was on its way
  EXPECT_EQ(ticks.timer.Running(), 0u);

  // Started again: a new number, and the ticks come again.
  ticks.numbers.clear();
  ticks.stopAt = 2;
  const std::uint32_t again = ticks.timer.Start(reinterpret_cast<WindowHandle>(window), kTick, 5);
  EXPECT_NE(again, number);
  Pump(400);
  EXPECT_EQ(ticks.numbers, (std::vector<WPARAM>(2, again)));
  DestroyWindow(window);
}

TEST(TickTimer, TicksThatComeWhileOneIsHandledAreDropped) {
  Ticks ticks;
  ticks.handleMs = 30;  // six periods
  const HWND window = MakeWindow(ticks);
  ASSERT_NE(ticks.timer.Start(reinterpret_cast<WindowHandle>(window), kTick, 5), 0u);
  Pump(300);
  ticks.timer.Stop();
  // At most one tick per handling, and never one inside another.
  EXPECT_GE(ticks.numbers.size(), 2u);
  EXPECT_LE(ticks.numbers.size(), 11u);
  const std::size_t handled = ticks.numbers.size();
  Pump(100);
  EXPECT_EQ(ticks.numbers.size(), handled);  // nothing after the stop
  EXPECT_LE(ticks.stale, 1);  // at most the one that was on its way
  DestroyWindow(window);
}

TEST(TickTimer, ALateTickOfAStoppedStartNeverHoldsBackTheNext) {
  // Stopped and started again while a tick may be on its way, as an activation in the middle
  // of a slide does; the late tick is passed over and the new start still ticks every time.
  Ticks ticks;
  ticks.stopAt = 1;
  const HWND window = MakeWindow(ticks);
  const auto handle = reinterpret_cast<WindowHandle>(window);
  for (int round = 0; round < 30; ++round) {
    ticks.numbers.clear();
    ASSERT_NE(ticks.timer.Start(handle, kTick, 1), 0u);
    Sleep(round % 4);  // the old start's tick is sent, or about to be, or not yet due
    ticks.timer.Stop();
    ASSERT_NE(ticks.timer.Start(handle, kTick, 1), 0u);
    const ULONGLONG end = GetTickCount64() + 500;
    while (ticks.numbers.empty() && GetTickCount64() < end) Pump(5);
    ASSERT_EQ(ticks.numbers.size(), 1u) << "round " << round;
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace korvane::platform::win32
