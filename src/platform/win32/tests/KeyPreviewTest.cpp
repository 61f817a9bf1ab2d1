// Key releases meant for a control reach the main window's program first, through the
// application's message loop.
#include "LoopFixture.h"

#include <memory>
#include <stdexcept>

#include "TestSupport.h"

namespace korvane::platform::win32 {
namespace {

using namespace test;
using KeyPreviewTest = LoopFixture;

constexpr WPARAM kKeyA = 'A';
constexpr LPARAM kRelease = 0xC0000001;

std::string Seen(const char* who, UINT message) {
  return std::string(who) + " " + std::to_string(message) + " " + std::to_string(kKeyA);
}

TEST_F(KeyPreviewTest, AReleaseForAFocusedPanelReachesTheProgramFirstAndTheWindowsOwnOnce) {
  EventLog log;
  auto panel = window_->CreatePanel(log);
  const HWND hwnd = HwndOf(*panel);
  panel->SetVisible(true);
  SetFocus(hwnd);
  MessageWatch watch(hwnd);
  watch.onMessage = [](UINT m, WPARAM) {
    if (m == WM_KEYUP || m == WM_SYSKEYUP) events_.seen.push_back(Seen("panel", m));
  };
  for (const UINT message : {WM_KEYUP, WM_SYSKEYUP}) {
    events_.seen.clear();
    PostMessageW(hwnd, message, kKeyA, kRelease);
    RunUntil([] { return events_.seen.size() >= 2; }, 500);
    EXPECT_EQ(events_.seen, (Events{Seen("main", message), Seen("panel", message)}));
  }
  events_.seen.clear();
  PostMessageW(reinterpret_cast<HWND>(window_->Handle()), WM_KEYUP, kKeyA, kRelease);
  RunUntil(nullptr, 100);
  EXPECT_EQ(events_.seen, (Events{Seen("main", WM_KEYUP)}));
}

TEST_F(KeyPreviewTest, APanelTheProgramDestroysOnTheReleaseIsLeftAlone) {
  // A paste from the release can erase the memory, and its panel with it.
  EventLog log;
  auto panel = window_->CreatePanel(log);
  const HWND hwnd = HwndOf(*panel);
  events_.onKey = [&] { panel.reset(); };
  PostMessageW(hwnd, WM_KEYUP, kKeyA, kRelease);
  PostMessageW(hwnd, WM_KEYUP, kKeyA, kRelease);  // and one for the window gone
  RunUntil(nullptr, 100);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(events_.seen, (Events{Seen("main", WM_KEYUP)}));
}

TEST_F(KeyPreviewTest, WhatTheProgramThrowsEndsAtTheWindowBridge) {
  EventLog log;
  auto panel = window_->CreatePanel(log);
  static int reported = 0;
  WindowObject::SetErrorSink([](const std::string&) { ++reported; });
  events_.onKey = [] { throw std::runtime_error("failed"); };
  PostMessageW(HwndOf(*panel), WM_KEYUP, kKeyA, kRelease);
  RunUntil(nullptr, 100);
  WindowObject::SetErrorSink(nullptr);
  EXPECT_EQ(reported, 1);
}

}  // namespace
}  // namespace korvane::platform::win32
