// Key releases meant for a control reach the main window's program first, through the
// application's message loop.
#include "LoopFixture.h"

#include <memory>

#include "TestSupport.h"

namespace korvane::platform::win32 {
namespace {

using namespace test;
using KeyPreviewTest = LoopFixture;

constexpr WPARAM kKeyA = 'A';

TEST_F(KeyPreviewTest, AReleaseForAFocusedPanelReachesTheProgramFirst) {
  for (const UINT message : {WM_KEYUP, WM_SYSKEYUP}) {
    EventLog log;
    auto panel = window_->CreatePanel(log);
    panel->SetBounds(10, 10, 130, 20);
    panel->SetVisible(true);
    const HWND hwnd = HwndOf(*panel);
    SetFocus(hwnd);
    events_.seen.clear();
    MessageWatch watch(hwnd);
    watch.onMessage = [&](UINT m, WPARAM key) {
      if (m == message) events_.seen.push_back(LoopEvents::KeyName(m, key, "panel"));
    };
    PostMessageW(hwnd, message, kKeyA, 0xC0000001);
    RunUntil([&] { return events_.seen.size() >= 2; }, 500);
    EXPECT_EQ(events_.seen, (Events{LoopEvents::KeyName(message, kKeyA, "main"),
                                    LoopEvents::KeyName(message, kKeyA, "panel")}));
  }
}

TEST_F(KeyPreviewTest, TheWindowsOwnReleaseComesOnce) {
  PostMessageW(MainHwnd(), WM_KEYUP, kKeyA, 0xC0000001);
  RunFor(100);
  EXPECT_EQ(events_.seen, (Events{LoopEvents::KeyName(WM_KEYUP, kKeyA, "main")}));
}

TEST_F(KeyPreviewTest, APanelThatTheProgramDestroysOnTheReleaseIsLeftAlone) {
  // A paste from the release can erase the memory, and its panel with it.
  EventLog log;
  auto panel = window_->CreatePanel(log);
  panel->SetVisible(true);
  const HWND hwnd = HwndOf(*panel);
  SetFocus(hwnd);
  events_.onKey = [&] { panel.reset(); };
  PostMessageW(hwnd, WM_KEYUP, kKeyA, 0xC0000001);
  PostMessageW(hwnd, WM_KEYUP, kKeyA, 0xC0000001);  // and one more, for a window now gone
  RunFor(100);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(events_.seen, (Events{LoopEvents::KeyName(WM_KEYUP, kKeyA, "main")}));
}

TEST_F(KeyPreviewTest, WhatTheProgramThrowsEndsAtTheWindowBridge) {
  EventLog log;
  auto panel = window_->CreatePanel(log);
  panel->SetVisible(true);
  static int reported = 0;
  WindowObject::SetErrorSink([](const std::string&) { ++reported; });
  events_.onKey = [] { throw std::runtime_error("failed"); };
  PostMessageW(HwndOf(*panel), WM_KEYUP, kKeyA, 0xC0000001);
  RunFor(100);
  WindowObject::SetErrorSink(nullptr);
  EXPECT_EQ(reported, 1);
}

}  // namespace
}  // namespace korvane::platform::win32
