// The options dialog's controls: their numbers, and which value each shows and edits.
#pragma once

#include <array>

#include "platform/OptionsDialog.h"

namespace korvane::platform::win32::options {

enum : int {
  kTabs = 100,
  kHelp = 101,
  kFirstPage = 110,  // the eight pages, 110..117
  kPageCount = 8,

  // Check boxes and the direction's radio buttons.
  kAlwaysOnTop = 200,
  kAutoHide,
  kSaveOnLockChange,
  kSaveUnlocked,
  kDoubleClickPaste,
  kKeepWatchAtStart,
  kKeepHiddenAtStart,
  kTrayClickUnhides,
  kManualMemory,
  kSkipDuplicates,
  kShowCopyButton,
  kShowPasteButton,
  kShowCutButton,
  kShowUndoButton,
  kShowRedoButton,
  kShowAllEraseButton,
  kShowPreview,
  kPreviewBelow,
  kShowMemoryNumber,
  kGrowLeft = 230,
  kGrowRight,

  // Number fields: the edit; its up-down is the next number.
  kScrollAmount = 300,
  kHiddenWidth = 302,
  kHideWait = 304,
  kMemoryLimit = 306,
  kMemoriesPerColumn = 308,
  kShortcutCount = 310,
  kFirstTabField = 320,  // the seven tab stop fields, 320, 322, .. 332
  kTabFieldCount = 7,

  kHiddenWidthLabel = 340,
  kHotKey = 341,
  kShortcutGrid = 342,

  // "色の設定"
  kMemorySample = 350,
  kBackChange,
  kFontChange,
  kSelectSample,
  kSelectChange,
  kLockSample,
  kLockChange,
  kMemoryDefaults,
  kWorkspaceSample,
  kWorkspaceChange,
  kWorkspaceDefault,

  // "バージョン情報"
  kProductName = 370,
  kVersion,
  kIcon,
};

constexpr int UpDownOf(int field) { return field + 1; }
constexpr int TabField(int index) { return kFirstTabField + 2 * index; }

struct CheckField {
  int id;
  bool OptionValues::*value;
};

inline constexpr std::array<CheckField, 20> kCheckFields{{
    {kAlwaysOnTop, &OptionValues::AlwaysOnTop},
    {kAutoHide, &OptionValues::AutoHide},
    {kGrowLeft, &OptionValues::GrowLeft},
    {kSaveOnLockChange, &OptionValues::SaveOnLockChange},
    {kSaveUnlocked, &OptionValues::SaveUnlocked},
    {kDoubleClickPaste, &OptionValues::DoubleClickPaste},
    {kKeepWatchAtStart, &OptionValues::KeepWatchAtStart},
    {kKeepHiddenAtStart, &OptionValues::KeepHiddenAtStart},
    {kTrayClickUnhides, &OptionValues::TrayClickUnhides},
    {kManualMemory, &OptionValues::ManualMemory},
    {kSkipDuplicates, &OptionValues::SkipDuplicates},
    {kShowCopyButton, &OptionValues::ShowCopyButton},
    {kShowPasteButton, &OptionValues::ShowPasteButton},
    {kShowCutButton, &OptionValues::ShowCutButton},
    {kShowUndoButton, &OptionValues::ShowUndoButton},
    {kShowRedoButton, &OptionValues::ShowRedoButton},
    {kShowAllEraseButton, &OptionValues::ShowAllEraseButton},
    {kShowPreview, &OptionValues::ShowPreview},
    {kPreviewBelow, &OptionValues::PreviewBelow},
    {kShowMemoryNumber, &OptionValues::ShowMemoryNumber},
}};

// The memory limit's lowest value is the values' own minimum.
constexpr int kLowFromValues = -1;

struct NumberField {
  int id;
  int OptionValues::*value;
  int low;
  int high;
};

inline constexpr std::array<NumberField, 5> kNumberFields{{
    {kScrollAmount, &OptionValues::ScrollAmount, 0, 100},
    {kHiddenWidth, &OptionValues::HiddenWidth, 1, 35},
    {kHideWait, &OptionValues::HideWait, 100, 1000},
    {kMemoryLimit, &OptionValues::MemoryLimit, kLowFromValues, 99},
    {kMemoriesPerColumn, &OptionValues::MemoriesPerColumn, 1, 20},
}};

struct ColorField {
  int sample;  // the sample that shows it, 0 for none
  int change;  // its "変更" button
  Color OptionValues::*value;
};

inline constexpr std::array<ColorField, 5> kColorFields{{
    {kMemorySample, kBackChange, &OptionValues::MemoryBackColor},
    {0, kFontChange, &OptionValues::MemoryFontColor},
    {kSelectSample, kSelectChange, &OptionValues::MemorySelectColor},
    {kLockSample, kLockChange, &OptionValues::MemoryLockColor},
    {kWorkspaceSample, kWorkspaceChange, &OptionValues::WorkspaceColor},
}};

}  // namespace korvane::platform::win32::options
