// The options dialog's data: the values it shows and hands back only after OK, and the rules it
// follows while the user edits them, which the program supplies.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace korvane::platform {

// Every setting the dialog shows apart from the hotkey, the shortcut grid and the tab stops,
// which the editor keeps. Ranges are those of the dialog's up-downs.
struct OptionValues {
  // "動作設定１"
  bool AlwaysOnTop = false;
  bool AutoHide = false;
  int ScrollAmount = 0;   // 0..100
  int HiddenWidth = 1;    // 1..35
  int HideWait = 100;     // 100..1000
  bool GrowLeft = false;  // "左" chosen rather than "右"
  // "動作設定２"
  bool SaveOnLockChange = false;
  bool SaveUnlocked = false;
  // "動作設定３"
  bool DoubleClickPaste = false;
  bool KeepWatchAtStart = false;
  bool KeepHiddenAtStart = false;
  bool TrayClickUnhides = false;
  bool ManualMemory = false;  // passed through; its box is never shown
  // "メモリ"
  int MemoryLimit = 1;         // MemoryLimitMinimum..99
  int MemoryLimitMinimum = 1;  // the locked memories' count, at least 1; not edited
  int MemoriesPerColumn = 1;   // 1..20
  bool SkipDuplicates = false;
  // "色の設定": the three memory samples' colours, the text colour, the workspace.
  Color MemoryBackColor = 0;
  Color MemoryFontColor = 0;
  Color MemorySelectColor = 0;
  Color MemoryLockColor = 0;
  Color WorkspaceColor = 0;
  // "表示項目"
  bool ShowCopyButton = false;
  bool ShowPasteButton = false;
  bool ShowCutButton = false;
  bool ShowUndoButton = false;
  bool ShowRedoButton = false;
  bool ShowAllEraseButton = false;
  bool ShowPreview = false;
  bool PreviewBelow = false;
  bool ShowMemoryNumber = false;
};

// What the dialog asks of the program while it is open. Each event goes here; the dialog then
// shows the fields, grid, numbers and enabled states as the editor has them.
class OptionsEditor {
 public:
  virtual ~OptionsEditor() = default;

  virtual OptionValues& Values() = 0;

  // The hidden-width field with its label, and the "below the window" box, are enabled only
  // while auto-hide and the preview are on.
  virtual bool HiddenWidthEnabled() const = 0;
  virtual bool PreviewBelowEnabled() const = 0;

  // The hotkey field: a key pressed in it, a key released, and the text it shows (932).
  virtual void HotKeyDown(int virtualKey, bool shift, bool ctrl, bool alt) = 0;
  virtual void HotKeyUp() = 0;
  virtual std::string HotKeyText() const = 0;

  // The direct-paste grid: its row count (1..50, the count field), each row's label and key
  // name (932; "" for none), and a key pressed in a row (the arrows are the grid's own and never
  // come here).
  virtual int ShortcutCount() const = 0;
  virtual void SetShortcutCount(int count) = 0;
  virtual std::string ShortcutLabel(int row) const = 0;
  virtual std::string ShortcutText(int row) const = 0;
  virtual void ShortcutKeyDown(int row, int virtualKey) = 0;

  // The seven tab stop fields (copy, paste, cut, undo, redo, erase-all, memories): a field's
  // text changed (typed, by its arrows or by the dialog), and the numbers to show. Armed once
  // the dialog shows: before that the numbers are taken as they are.
  virtual void TabFieldChanged(int index, const std::string& text) = 0;
  virtual int TabNumber(int index) const = 0;
  virtual void ArmTabStops() = 0;

  // The colour chooser opens on the colour chosen last in this opening of the dialog (black at
  // first); a confirmed choice is reported here, then set where its button says.
  virtual Color LastChosenColor() const = 0;
  virtual void ColorChosen(Color color) = 0;
  // Whether the select and lock samples show their text in the memory text colour (after it
  // was chosen in this opening) or in the dialog's own.
  virtual bool AllSamplesInFontColor() const = 0;
  virtual void FontColorChosenForAllSamples() = 0;
  // The two "デフォルト" buttons.
  virtual void MemoryColorDefaults() = 0;
  virtual void WorkspaceColorDefault() = 0;

  // "ヘルプ": the help file at the options' topic.
  virtual void ShowHelp() = 0;
  // Why OK cannot close the dialog (932, for a box captioned "警告"), or "" when it can.
  virtual std::string OkRefusal() const = 0;
};

}  // namespace korvane::platform
