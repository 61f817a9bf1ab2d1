// The user's settings as the main window holds them. The defaults are those of the shipped
// Data\Setting.dat, so a program that could not read its file still behaves as installed.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Types.h"

namespace korvane {

struct Settings {
  bool AlwaysOnTop = true;
  bool AutoHide = false;
  std::int32_t HiddenWidth = 5;
  platform::Color WorkspaceColor = platform::ClBtnFace;
  bool ShowCopyButton = true;
  bool ShowPasteButton = true;
  bool ShowCutButton = true;
  bool ShowAllEraseButton = true;
  bool ShowUndoButton = true;
  bool ShowRedoButton = true;
  std::int32_t MemoryLimit = 10;
  std::int32_t MemoriesPerColumn = 10;
  platform::Color MemorySelectColor = 0xC0FFFF;
  std::int32_t TabOrder = 1234567;
  std::int16_t HotKeyCode = 0x7B;     // F12
  std::int16_t HotKeyModifier = 17;   // Ctrl
  bool GrowLeft = false;
  bool ShowPreview = true;
  bool PreviewBelow = false;
  bool SaveOnLockChange = true;
  bool SaveUnlocked = false;
  // Entry i is the key of memory number i + 1; the count is the vector's size.
  std::vector<std::int16_t> DirectPasteKeys{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  std::int16_t HideWait = 500;
  std::int16_t ScrollAmount = 20;
  bool SkipDuplicates = true;
  bool ManualMemory = false;
  bool KeepWatchAtStart = true;
  bool WatchClipboard = true;
  bool ShowMemoryNumber = true;
  bool KeepHiddenAtStart = true;
  bool TrayClickUnhides = true;
};

// The four settings that the memory items read directly live beside the items (MemoryShared);
// these are their shipped values.
constexpr platform::Color kDefaultMemoryBackColor = platform::ClBtnFace;
constexpr platform::Color kDefaultMemoryFontColor = static_cast<platform::Color>(0x80000012u);
constexpr platform::Color kDefaultMemoryLockColor = 0xFFE0C0;
constexpr bool kDefaultDoubleClickPaste = false;

}  // namespace korvane
