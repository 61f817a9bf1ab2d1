#include "Previews.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Support.h"

namespace kvdriver {

namespace {

constexpr wchar_t kPreviewClass[] = L"KorvanePreview";

// Top-level windows of the preview's class owned by `main`, visible ones only.
std::vector<HWND> VisiblePreviews(HWND main) {
  struct Search {
    HWND main;
    std::vector<HWND> found;
  } search{main, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (GetWindow(window, GW_OWNER) == s.main && lstrcmpW(name, kPreviewClass) == 0 &&
            IsWindowVisible(window)) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RECT RectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

}  // namespace

int CmdPreview(const wchar_t* const* args, int count) {
  HWND main = nullptr;
  if (count != 1 || !ParseHandle(args[0], main)) return Fail(2, "usage: preview <hwnd>");
  if (!IsWindow(main)) return Fail(1, "no such window");
  Json j;
  j.Begin().BeginArray("previews");
  for (const HWND preview : VisiblePreviews(main)) {
    // The text the system keeps, without a message: a hung Korvane must not hang us.
    wchar_t text[256] = {};
    InternalGetWindowText(preview, text, 256);
    j.Begin()
        .Int("hwnd", static_cast<long long>(reinterpret_cast<ULONG_PTR>(preview)))
        .Rect("rect", RectOf(preview))
        .Bool("visible", true)
        .Bool("topmost", (GetWindowLongPtrW(preview, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
        .Str("text", std::wstring(text))
        .End();
  }
  j.EndArray().End();
  Emit(j.Text());
  return 0;
}

int CmdTimePreview(const wchar_t* const* args, int count) {
  HWND main = nullptr;
  long x = 0;
  long y = 0;
  long timeout = 0;
  if (count != 4 || !ParseHandle(args[0], main) || !ParseInt(args[1], x) ||
      !ParseInt(args[2], y) || !ParseInt(args[3], timeout)) {
    return Fail(2, "usage: time-preview <hwnd> <x> <y> <timeout-ms>");
  }
  if (!IsWindow(main)) return Fail(1, "no such window");
  const std::vector<HWND> before = VisiblePreviews(main);
  const double start = NowMs();
  SetCursorPos(x, y);
  for (;;) {
    const double elapsed = NowMs() - start;
    for (const HWND preview : VisiblePreviews(main)) {
      if (std::find(before.begin(), before.end(), preview) != before.end()) continue;
      Json j;
      j.Begin()
          .Int("us", static_cast<long long>(elapsed * 1000))
          .Rect("rect", RectOf(preview))
          .End();
      Emit(j.Text());
      return 0;
    }
    if (elapsed > timeout) break;
    // Not a busy loop: Korvane and the Wine server need the machine's cores to show it.
    Sleep(1);
  }
  return Fail(1, "no preview within " + std::to_string(timeout) + " ms");
}

}  // namespace kvdriver
