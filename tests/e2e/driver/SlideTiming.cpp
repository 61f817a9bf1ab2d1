#include "SlideTiming.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "Support.h"

namespace kvdriver {

namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

int CmdTimeSlide(const wchar_t* const* args, int count) {
  HWND window = nullptr;
  HWND other = nullptr;
  long timeout = 5000;
  if (count < 2 || count > 3 || !ParseHandle(args[0], window) || !ParseHandle(args[1], other) ||
      (count == 3 && !ParseInt(args[2], timeout))) {
    return Fail(2, "usage: time-slide <hwnd> <other-hwnd> [<timeout-ms>]");
  }
  timeBeginPeriod(1);
  RECT last{};
  GetWindowRect(window, &last);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(other);
  const double start = NowMs();
  std::vector<double> changes;
  for (;;) {
    const double now = NowMs();
    if (now - start > timeout) break;
    if (!changes.empty() && now - (start + changes.back()) > 300) break;
    RECT rect{};
    GetWindowRect(window, &rect);
    if (!SameRect(rect, last)) {
      changes.push_back(now - start);
      last = rect;
    }
    Sleep(0);
  }
  timeEndPeriod(1);
  Json j;
  j.Begin().BeginArray("changes");
  // Microseconds, whole numbers: the writer has no fractions.
  for (double ms : changes) j.Int(nullptr, static_cast<long long>(ms * 1000));
  j.EndArray()
      .Int("left", last.left)
      .Int("top", last.top)
      .Int("width", last.right - last.left)
      .Int("height", last.bottom - last.top)
      .End();
  Emit(j.Text());
  return 0;
}

}  // namespace kvdriver
