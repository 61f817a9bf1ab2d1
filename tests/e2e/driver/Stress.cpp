#include "Stress.h"

#include <cstring>

#include <windows.h>
#include <mmsystem.h>

#include "Support.h"

namespace kvdriver {

namespace {

constexpr UINT kSendTimeoutMs = 10000;

bool OpenWithin(DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  while (!OpenClipboard(nullptr)) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(1);
  }
  return true;
}

bool PutText(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, memory) != nullptr) return true;
  GlobalFree(memory);
  return false;
}

}  // namespace

int CmdClipHold(const std::wstring& text, long holdMs) {
  if (!OpenWithin(2000)) return Fail(1, "clipboard busy");
  const bool put = PutText(text);
  CloseClipboard();  // the viewers are told now
  if (!put) return Fail(1, "SetClipboardData failed");
  if (!OpenWithin(2000)) return Fail(1, "clipboard busy");
  Sleep(static_cast<DWORD>(holdMs));
  CloseClipboard();
  Emit("{\"ok\":true}");
  return 0;
}

int CmdCopyFlood(long intervalMs, long durationMs) {
  timeBeginPeriod(1);
  const ULONGLONG start = GetTickCount64();
  long copies = 0;
  long busy = 0;
  while (GetTickCount64() - start < static_cast<ULONGLONG>(durationMs)) {
    if (OpenWithin(1000)) {
      const bool put = PutText(L"flood " + std::to_wstring(copies + 1));
      CloseClipboard();
      if (put) ++copies;
    } else {
      ++busy;
    }
    Sleep(static_cast<DWORD>(intervalMs));
  }
  timeEndPeriod(1);
  Json j;
  j.Begin()
      .Int("copies", copies)
      .Int("busy", busy)
      .Int("ms", static_cast<long long>(GetTickCount64() - start))
      .End();
  Emit(j.Text());
  return 0;
}

int CmdSend(const wchar_t* const* args, int count) {
  HWND hwnd = nullptr;
  long v[3] = {};
  if (count != 4 || !ParseHandle(args[0], hwnd)) return Fail(2, "usage: send <hwnd> <m> <w> <l>");
  for (int i = 0; i < 3; ++i) {
    if (!ParseInt(args[i + 1], v[i])) return Fail(2, "usage: send <hwnd> <m> <w> <l>");
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, static_cast<UINT>(v[0]), static_cast<WPARAM>(v[1]),
                           static_cast<LPARAM>(v[2]), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result)) {
    return Fail(1, "no answer");
  }
  Json j;
  j.Begin().Int("result", static_cast<long long>(result)).End();
  Emit(j.Text());
  return 0;
}

}  // namespace kvdriver
