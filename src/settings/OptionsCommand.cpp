// The options command: every setting filled into the dialog, and after OK read back and put
// into effect at once (the memories trimmed, the option buttons, the window, the tab order and
// the hotkey built anew).
#include <algorithm>

#include "app/Main.h"
#include "app/ModalDialogGuard.h"
#include "help/OpenHelp.h"
#include "settings/OptionsEditing.h"

namespace korvane {

namespace {
constexpr int kOptionsHelpContext = 10;
constexpr int kMaxMemoryLimit = 99;
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
  v.AutoHide = Config.AutoHide;
  v.HiddenWidth = Config.HiddenWidth;
  v.AlwaysOnTop = Config.AlwaysOnTop;
  v.WorkspaceColor = Config.WorkspaceColor;
  v.ShowCopyButton = Config.ShowCopyButton;
  v.ShowPasteButton = Config.ShowPasteButton;
  v.ShowCutButton = Config.ShowCutButton;
  v.ShowUndoButton = Config.ShowUndoButton;
  v.ShowRedoButton = Config.ShowRedoButton;
  v.ShowAllEraseButton = Config.ShowAllEraseButton;
  // The limit never goes below the locked memories; one stored below them shows at their count.
  v.MemoryLimitMinimum = std::clamp(LockedCount(), 1, kMaxMemoryLimit);
  v.MemoryLimit = std::clamp(Config.MemoryLimit, v.MemoryLimitMinimum, kMaxMemoryLimit);
  v.MemoriesPerColumn = Config.MemoriesPerColumn;
  v.MemoryBackColor = Shared.MemoryBackColor;
  v.MemoryFontColor = Shared.MemoryFontColor;
  v.MemorySelectColor = Config.MemorySelectColor;
  v.MemoryLockColor = Shared.MemoryLockColor;
  editing.HotKey().Set(Config.HotKeyCode, Config.HotKeyModifier);
  v.GrowLeft = Config.GrowLeft;
  v.ShowPreview = Config.ShowPreview;
  v.PreviewBelow = Config.PreviewBelow;
  v.SaveOnLockChange = Config.SaveOnLockChange;
  v.SaveUnlocked = Config.SaveUnlocked;
  editing.SetShortcuts(Config.DirectPasteKeys);
  v.HideWait = Config.HideWait;
  v.ScrollAmount = Config.ScrollAmount;
  v.SkipDuplicates = Config.SkipDuplicates;
  v.DoubleClickPaste = Shared.DoubleClickPaste;
  v.ManualMemory = Config.ManualMemory;
  v.KeepWatchAtStart = Config.KeepWatchAtStart;
  v.ShowMemoryNumber = Config.ShowMemoryNumber;
  v.KeepHiddenAtStart = Config.KeepHiddenAtStart;
  v.TrayClickUnhides = Config.TrayClickUnhides;
  editing.TabStops().Fill(Config.TabOrder);
}

void TForm1::ApplyOptions(OptionsEditing& editing) {
  const platform::OptionValues& v = editing.Values();
  Config.AutoHide = v.AutoHide;
  Config.HiddenWidth = v.HiddenWidth;
  Config.AlwaysOnTop = v.AlwaysOnTop;
  PopForwardChecked = v.AlwaysOnTop;
  Config.WorkspaceColor = v.WorkspaceColor;
  Window->SetColor(Config.WorkspaceColor);
  DeleteOptionButton();
  Config.ShowCopyButton = v.ShowCopyButton;
  Config.ShowPasteButton = v.ShowPasteButton;
  Config.ShowCutButton = v.ShowCutButton;
  Config.ShowUndoButton = v.ShowUndoButton;
  Config.ShowRedoButton = v.ShowRedoButton;
  Config.ShowAllEraseButton = v.ShowAllEraseButton;
  CreateOptionButton();
  Config.MemoryLimit = v.MemoryLimit;
  Config.MemoriesPerColumn = v.MemoriesPerColumn;
  Shared.MemoryBackColor = v.MemoryBackColor;
  Shared.MemoryFontColor = v.MemoryFontColor;
  Config.MemorySelectColor = v.MemorySelectColor;
  Shared.MemoryLockColor = v.MemoryLockColor;
  Config.HotKeyCode = static_cast<std::int16_t>(editing.HotKey().Key());
  Config.HotKeyModifier = static_cast<std::int16_t>(editing.HotKey().Modifier());
  Config.GrowLeft = v.GrowLeft;
  Config.ShowPreview = v.ShowPreview;
  Config.PreviewBelow = v.PreviewBelow;
  Config.SaveOnLockChange = v.SaveOnLockChange;
  Config.SaveUnlocked = v.SaveUnlocked;
  Config.DirectPasteKeys = editing.Shortcuts();
  Config.HideWait = static_cast<std::int16_t>(v.HideWait);
  Config.ScrollAmount = static_cast<std::int16_t>(v.ScrollAmount);
  Config.SkipDuplicates = v.SkipDuplicates;
  Shared.DoubleClickPaste = v.DoubleClickPaste;
  Config.ManualMemory = v.ManualMemory;
  Config.KeepWatchAtStart = v.KeepWatchAtStart;
  Config.ShowMemoryNumber = v.ShowMemoryNumber;
  Config.KeepHiddenAtStart = v.KeepHiddenAtStart;
  Config.TrayClickUnhides = v.TrayClickUnhides;
  Config.TabOrder = PackTabOrder(editing.TabStops().Numbers());
  if (LockedTable) LockedTable->UpdateColors();
  if (UnlockedTable) UnlockedTable->UpdateColors();
  // Locked memories are never dropped: the trim ends when no unlocked one is left.
  while (UnlockedTable && UnlockedCount() > 0 &&
         LockedCount() + UnlockedCount() > Config.MemoryLimit) {
    UnlockedTable->RemoveFirst();
  }
  Shared.NumberMargin = Config.ShowMemoryNumber ? 20 : 8;
  SetFormSize(true);
  SetControlPosition();
  SetTabOrder();
  SetHotKey();
  Window->Refresh();
}

}  // namespace korvane
