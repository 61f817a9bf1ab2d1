// What the memory items and tables share with the main window that owns them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace korvane {

class MemoryItem;

// Messages a memory item sends to the main window, synchronously. The item concerned is not in
// the message: the sender stores it in MemoryShared just before.
constexpr std::uint32_t UM_LOCKCHANGED = 0x8193;  // wParam 1: now unlocked, 0: now locked
constexpr std::uint32_t UM_MEMORYENTER = 0x8194;  // a memory button gained the focus
constexpr std::uint32_t UM_MEMORYLEAVE = 0x8195;  // a memory button lost the focus

// One of each in the program: the state that every memory item reads or writes.
struct MemoryShared {
  const platform::Bitmap* LockGlyph = nullptr;  // owned by the main window
  platform::WindowHandle MainWindowHandle = 0;
  MemoryItem* LockChangedItem = nullptr;
  MemoryItem* FocusedItem = nullptr;
  MemoryItem* LeftItem = nullptr;
  MemoryItem* PreviewItem = nullptr;  // the memory whose text the preview shows

  // Settings that the items read directly.
  platform::Color MemoryBackColor = platform::ClBtnFace;
  platform::Color MemoryFontColor = platform::ClBlack;
  platform::Color MemoryLockColor = platform::ClBtnFace;
  bool DoubleClickPaste = false;
  int NumberMargin = 8;  // 20 with memory numbers shown
};

// The main window as the items and tables see it: parent of their controls, the system they
// paste through and keep their files with.
struct MemoryOwner {
  platform::Platform& System;
  platform::MainWindow& Window;
  MemoryShared& Shared;
};

}  // namespace korvane
