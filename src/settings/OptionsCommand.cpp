// The options command: every setting filled into the dialog, and after OK read back and put
// into effect at once (the memories trimmed, the option buttons, the window, the tab order and
// the hotkey built anew).
#include <algorithm>
#include <utility>

#include "app/Main.h"
#include "app/ModalDialogGuard.h"
#include "help/OpenHelp.h"
#include "settings/OptionsEditing.h"

namespace korvane {

namespace {
constexpr int kOptionsHelpContext = 10;
constexpr int kMaxMemoryLimit = 99;

// The on/off settings that the dialog shows as they are and hands back as they are.
using Switch = std::pair<bool Settings::*, bool platform::OptionValues::*>;
constexpr Switch kSwitches[] = {
    {&Settings::AutoHide, &platform::OptionValues::AutoHide},
    {&Settings::AlwaysOnTop, &platform::OptionValues::AlwaysOnTop},
    {&Settings::ShowCopyButton, &platform::OptionValues::ShowCopyButton},
    {&Settings::ShowPasteButton, &platform::OptionValues::ShowPasteButton},
    {&Settings::ShowCutButton, &platform::OptionValues::ShowCutButton},
    {&Settings::ShowUndoButton, &platform::OptionValues::ShowUndoButton},
    {&Settings::ShowRedoButton, &platform::OptionValues::ShowRedoButton},
    {&Settings::ShowAllEraseButton, &platform::OptionValues::ShowAllEraseButton},
    {&Settings::GrowLeft, &platform::OptionValues::GrowLeft},
    {&Settings::ShowPreview, &platform::OptionValues::ShowPreview},
    {&Settings::PreviewBelow, &platform::OptionValues::PreviewBelow},
    {&Settings::SaveOnLockChange, &platform::OptionValues::SaveOnLockChange},
    {&Settings::SaveUnlocked, &platform::OptionValues::SaveUnlocked},
    {&Settings::SkipDuplicates, &platform::OptionValues::SkipDuplicates},
    {&Settings::ManualMemory, &platform::OptionValues::ManualMemory},
    {&Settings::KeepWatchAtStart, &platform::OptionValues::KeepWatchAtStart},
    {&Settings::ShowMemoryNumber, &platform::OptionValues::ShowMemoryNumber},
    {&Settings::KeepHiddenAtStart, &platform::OptionValues::KeepHiddenAtStart},
    {&Settings::TrayClickUnhides, &platform::OptionValues::TrayClickUnhides},
};
}  // namespace

void TForm1::PM_OptionClick() {
  StopSlideTimer();
  OptionsEditing editing([this] { OpenHelp(System, kOptionsHelpContext); });
  FillOptions(editing);
  // The dialog must come above a topmost main window.
  if (Config.AlwaysOnTop) SetWindowNoTopMost();
  bool confirmed = false;
  {
    ModalDialogGuard open(dialogOpen_);
    confirmed = System.Dialog().EditOptions(Window->Handle(), editing);
  }
  if (confirmed) ApplyOptions(editing);
  if (Config.AlwaysOnTop) SetWindowTopMost();
}

void TForm1::FillOptions(OptionsEditing& editing) {
  platform::OptionValues& v = editing.Values();
  for (const auto& [setting, value] : kSwitches) v.*value = Config.*setting;
  v.HiddenWidth = Config.HiddenWidth;
  v.WorkspaceColor = Config.WorkspaceColor;
  // The limit never goes below the locked memories; one stored below them shows at their count.
  v.MemoryLimitMinimum = std::clamp(LockedCount(), 1, kMaxMemoryLimit);
  v.MemoryLimit = std::clamp(Config.MemoryLimit, v.MemoryLimitMinimum, kMaxMemoryLimit);
  v.MemoriesPerColumn = Config.MemoriesPerColumn;
  v.MemoryBackColor = Shared.MemoryBackColor;
  v.MemoryFontColor = Shared.MemoryFontColor;
  v.MemorySelectColor = Config.MemorySelectColor;
  v.MemoryLockColor = Shared.MemoryLockColor;
  editing.HotKey().Set(Config.HotKeyCode, Config.HotKeyModifier);
  editing.SetShortcuts(Config.DirectPasteKeys);
  v.HideWait = Config.HideWait;
  v.ScrollAmount = Config.ScrollAmount;
  v.DoubleClickPaste = Shared.DoubleClickPaste;
  editing.TabStops().Fill(Config.TabOrder);
}

void TForm1::ApplyOptions(OptionsEditing& editing) {
  const platform::OptionValues& v = editing.Values();
  // The buttons shown so far go before the show flags change; the new set is made after.
  DeleteOptionButton();
  for (const auto& [setting, value] : kSwitches) Config.*setting = v.*value;
  PopForwardChecked = Config.AlwaysOnTop;
  Config.HiddenWidth = v.HiddenWidth;
  Config.WorkspaceColor = v.WorkspaceColor;
  Window->SetColor(Config.WorkspaceColor);
  CreateOptionButton();
  Config.MemoryLimit = v.MemoryLimit;
  Config.MemoriesPerColumn = v.MemoriesPerColumn;
  Shared.MemoryBackColor = v.MemoryBackColor;
  Shared.MemoryFontColor = v.MemoryFontColor;
  Config.MemorySelectColor = v.MemorySelectColor;
  Shared.MemoryLockColor = v.MemoryLockColor;
  Config.HotKeyCode = static_cast<std::int16_t>(editing.HotKey().Key());
  Config.HotKeyModifier = static_cast<std::int16_t>(editing.HotKey().Modifier());
  Config.DirectPasteKeys = editing.Shortcuts();
  Config.HideWait = static_cast<std::int16_t>(v.HideWait);
  Config.ScrollAmount = static_cast<std::int16_t>(v.ScrollAmount);
  Shared.DoubleClickPaste = v.DoubleClickPaste;
  Config.TabOrder = PackTabOrder(editing.TabStops().Numbers());
  if (LockedTable) LockedTable->UpdateColors();
  if (UnlockedTable) UnlockedTable->UpdateColors();
  TrimToMemoryLimit();
  Shared.NumberMargin = Config.ShowMemoryNumber ? 20 : 8;
  SetFormSize(true);
  SetControlPosition();
  SetTabOrder();
  SetHotKey();
  Window->Refresh();
}

}  // namespace korvane
