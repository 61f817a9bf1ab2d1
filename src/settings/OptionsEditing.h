// The options dialog's rules, as the dialog follows them while the user edits: the hotkey
// field, the direct-paste grid, the tab stop numbers, the colour chooser's memory and the OK
// check. Filled from the settings and read back by the options command.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/OptionsDialog.h"
#include "settings/KeyNames.h"
#include "settings/TabStops.h"

namespace korvane {

constexpr int kMaxShortcuts = 50;

class OptionsEditing final : public platform::OptionsEditor {
 public:
  // `help` opens the help file at the options' topic.
  explicit OptionsEditing(std::function<void()> help) : help_(std::move(help)) {}

  platform::OptionValues& Values() override { return values_; }
  bool HiddenWidthEnabled() const override { return values_.AutoHide; }
  bool PreviewBelowEnabled() const override { return values_.ShowPreview; }

  void HotKeyDown(int virtualKey, bool shift, bool ctrl, bool alt) override {
    hotKey_.KeyDown(virtualKey, shift, ctrl, alt);
  }
  void HotKeyUp() override { hotKey_.KeyUp(); }
  std::string HotKeyText() const override { return hotKey_.Text(); }
  HotKeyField& HotKey() { return hotKey_; }

  int ShortcutCount() const override { return static_cast<int>(shortcuts_.size()); }
  void SetShortcutCount(int count) override;
  std::string ShortcutLabel(int row) const override;
  std::string ShortcutText(int row) const override;
  void ShortcutKeyDown(int row, int virtualKey) override;
  // The grid as stored: one key per row, 0 for none.
  void SetShortcuts(const std::vector<std::int16_t>& keys);
  std::vector<std::int16_t> Shortcuts() const;

  void TabFieldChanged(int index, const std::string& text) override {
    tabStops_.FieldChanged(index, text);
  }
  int TabNumber(int index) const override;
  void ArmTabStops() override { tabStops_.Arm(); }
  TabStopEditor& TabStops() { return tabStops_; }

  platform::Color LastChosenColor() const override { return lastColor_; }
  void ColorChosen(platform::Color color) override { lastColor_ = color; }
  bool AllSamplesInFontColor() const override { return allSamplesInFontColor_; }
  void FontColorChosenForAllSamples() override { allSamplesInFontColor_ = true; }
  void MemoryColorDefaults() override;
  void WorkspaceColorDefault() override;

  void ShowHelp() override { help_(); }
  std::string OkRefusal() const override;

 private:
  platform::OptionValues values_;
  HotKeyField hotKey_;
  std::vector<std::string> shortcuts_;  // each row's key name, "" for none
  TabStopEditor tabStops_;
  platform::Color lastColor_ = 0;  // the chooser starts on black
  bool allSamplesInFontColor_ = false;
  std::function<void()> help_;
};

}  // namespace korvane
