// Finding and activating the window the user worked in before pressing one of our buttons,
// and sending it a shortcut.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace korvane {

constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkV = 0x56;
// How long a paste waits for the target to take the activation and set its keyboard focus:
// keys sent before then are lost.
constexpr int kFocusWaitMs = 400;

// The application's own window to the foreground and on top of the window order, so that the
// window below it is the one the user worked in.
void BringOwnWindowForward(platform::Platform& platform);

// The first visible window below the application's own window becomes the foreground window;
// returns it, or 0 when there is none. Windows that are visible to the system but not on the
// screen (cloaked) are passed over. Waits, bounded, until it has its keyboard focus.
platform::WindowHandle ActivateWindowBelow(platform::Platform& platform);

// Both of the above: the window the user worked in before becomes the foreground window.
platform::WindowHandle ActivateTargetWindow(platform::Platform& platform);

// Ctrl down, key down, key up, Ctrl up; Shift, Alt and the Windows keys still held by the
// user are released first (and left up), so that the target gets the plain shortcut.
void SendControlShortcut(platform::Desktop& desktop, std::uint8_t virtualKey);
// The same into `target`, the window ActivateWindowBelow found; nothing when the foreground
// never reached it, since the keys would go to whatever window has it.
void SendControlShortcutTo(platform::Desktop& desktop, platform::WindowHandle target,
                           std::uint8_t virtualKey);

}  // namespace korvane
