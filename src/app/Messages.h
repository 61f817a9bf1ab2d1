// The window messages of the main window's message map, by number. The program's own
// messages (UM_*) are sent synchronously to the main window; the item concerned, where there
// is one, is stored in MemoryShared just before.
#pragma once

#include <cstdint>

#include "memory/MemoryOwner.h"

namespace korvane {

namespace wm {
// Result: non-zero lets the session end.
constexpr std::uint32_t QueryEndSession = 0x0011;
// wParam: non-zero when the session is really ending.
constexpr std::uint32_t EndSession = 0x0016;
// wParam: non-zero when our application becomes the active one, 0 when another does.
constexpr std::uint32_t ActivateApp = 0x001C;
// lParam: the cursor in screen coordinates, -1 when the menu key asked.
constexpr std::uint32_t ContextMenu = 0x007B;
// wParam: the virtual-key code of the key released (SysKeyUp: while Alt is held).
constexpr std::uint32_t KeyUp = 0x0101;
constexpr std::uint32_t SysKeyUp = 0x0105;
// wParam: the window timer's id.
constexpr std::uint32_t Timer = 0x0113;
constexpr std::uint32_t MouseMove = 0x0200;
constexpr std::uint32_t LButtonDown = 0x0201;
constexpr std::uint32_t RButtonDown = 0x0204;
// lParam: the proposed window rectangle (left, top, right, bottom), changed in place.
constexpr std::uint32_t Moving = 0x0216;
// wParam, lParam: passed on to the next viewer unchanged.
constexpr std::uint32_t DrawClipboard = 0x0308;
// wParam: the window leaving the clipboard viewer chain; lParam: the window that followed it.
constexpr std::uint32_t ChangeCBChain = 0x030D;
constexpr std::uint32_t HotKey = 0x0312;
}  // namespace wm

// From the tray icon; lParam is the mouse message that happened on the icon.
constexpr std::uint32_t UM_TRAYICON = 0x0401;
// From the auto-hide timer's thread, one at a time; wParam: the number of the timer's start.
constexpr std::uint32_t UM_HIDECHECK = 0x8190;
constexpr std::uint32_t UM_HIDESTEP = 0x8191;
constexpr std::uint32_t UM_SHOWSTEP = 0x8192;
// UM_LOCKCHANGED, UM_MEMORYENTER and UM_MEMORYLEAVE come from the memory items (MemoryOwner.h).
// Posted to itself when the clipboard changed: the capture runs when the window's queue gets
// to it, after the notification has gone on down the chain; one at a time however many
// changes came meanwhile.
constexpr std::uint32_t UM_CAPTURE = 0x81A0;
// Posted to itself when memories have moved onto panels that showed others (a copy at the
// limit): their captions follow a few to a message, so that a notification sent to the window
// meanwhile (the next copy) waits for a few of them at most, not for all.
constexpr std::uint32_t UM_SHOWCAPTIONS = 0x81A1;

}  // namespace korvane
