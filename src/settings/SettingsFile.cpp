#include "settings/SettingsFile.h"

#include <algorithm>

#include "platform/TextMode.h"
#include "settings/SettingLabels.h"

namespace korvane {

namespace {

enum Entry {
  kVersion = 1, kPosition, kAlwaysOnTop, kAutoHide, kHiddenWidth, kWorkspaceColor, kCopy, kPaste,
  kCut, kAllErase, kUndo, kRedo, kMemoryLimit, kPerColumn, kBackColor, kFontColor, kSelectColor,
  kTabOrder, kHotKey, kGrowLeft, kShowPreview, kPreviewBelow, kSaveOnLock, kSaveUnlocked,
  kDirectCount, kDirectKey, kHideWait, kScrollAmount, kSkipDuplicates, kDoubleClick, kManual,
  kKeepWatch, kWatch, kShowNumber, kLockColor, kKeepHidden, kHidden, kTrayUnhides
};

// Reads words and numbers in file order and stops for good at the first that is not there.
class Reader {
 public:
  explicit Reader(std::string text) : text_(std::move(text)) {}
  bool Label() {
    std::string word;
    return ok_ = ok_ && platform::ScanWord(text_, pos_, word);
  }
  bool Number(std::int32_t& value) {
    std::int32_t read = 0;
    ok_ = ok_ && platform::ScanDecimal(text_, pos_, read);
    if (ok_) value = read;
    return ok_;
  }
  bool Flag(bool& value) {
    std::int32_t read = 0;
    if (Number(read)) value = read != 0;
    return ok_;
  }
  bool Short(std::int16_t& value) {
    std::int32_t read = 0;
    if (Number(read)) value = static_cast<std::int16_t>(read);
    return ok_;
  }
  bool Entry(bool& flag) { return Label() && Flag(flag); }
  bool Entry(std::int32_t& value) { return Label() && Number(value); }
  bool Entry(std::int16_t& value) { return Label() && Short(value); }
  bool Ok() const { return ok_; }
  std::size_t& Pos() { return pos_; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// Only a value the program cannot work with is changed. One that merely lies outside the
// options dialog's ranges was set by hand: it is taken, and written back at exit, as it is.
void KeepUsable(Settings& s) {
  s.MemoryLimit = std::max(s.MemoryLimit, 1);              // below 1 nothing could be captured
  s.MemoriesPerColumn = std::max(s.MemoriesPerColumn, 1);  // the layout divides by it
  s.HiddenWidth = std::max(s.HiddenWidth, 0);
  s.HideWait = std::max<std::int16_t>(s.HideWait, 1);        // a timer period
  s.ScrollAmount = std::max<std::int16_t>(s.ScrollAmount, 0);  // backwards, a slide never ends
}

bool ReadEntries(Reader& in, StoredSettings& stored, std::int32_t version) {
  Settings& s = stored.Config;
  if (!(in.Label() && in.Number(stored.Top) && in.Number(stored.Left))) return false;
  if (!(in.Entry(s.AlwaysOnTop) && in.Entry(s.AutoHide) && in.Entry(s.HiddenWidth) &&
        in.Entry(s.WorkspaceColor) && in.Entry(s.ShowCopyButton) && in.Entry(s.ShowPasteButton) &&
        in.Entry(s.ShowCutButton) && in.Entry(s.ShowAllEraseButton) && in.Entry(s.ShowUndoButton) &&
        in.Entry(s.ShowRedoButton) && in.Entry(s.MemoryLimit) && in.Entry(s.MemoriesPerColumn) &&
        in.Entry(stored.MemoryBackColor) && in.Entry(stored.MemoryFontColor) &&
        in.Entry(s.MemorySelectColor) && in.Entry(s.TabOrder) && in.Label() &&
        in.Short(s.HotKeyCode) && in.Short(s.HotKeyModifier) && in.Entry(s.GrowLeft) &&
        in.Entry(s.ShowPreview) && in.Entry(s.PreviewBelow) && in.Entry(s.SaveOnLockChange) &&
        in.Entry(s.SaveUnlocked))) {
    return false;
  }
  std::int16_t count = 0;
  if (!in.Entry(count)) return false;
  // A negative count is no shortcut at all; a positive one is bounded by 16 bits.
  s.DirectPasteKeys.assign(std::max<std::int16_t>(count, 0), 0);
  for (std::size_t i = 0; i < s.DirectPasteKeys.size(); ++i) {
    if (!in.Entry(s.DirectPasteKeys[i])) {
      // A count larger than the shortcuts present keeps only those read.
      s.DirectPasteKeys.resize(i);
      return false;
    }
  }
  if (!(in.Entry(s.HideWait) && in.Entry(s.ScrollAmount) && in.Entry(s.SkipDuplicates))) return false;

  if (version >= 1100) {
    if (!(in.Entry(stored.DoubleClickPaste) && in.Entry(s.ManualMemory))) return false;
  } else {
    stored.DoubleClickPaste = false;
    s.ManualMemory = false;
  }

  if (version >= 1200) {
    bool watch = true;
    bool hidden = false;
    if (!(in.Entry(s.KeepWatchAtStart) && in.Entry(watch))) return false;
    s.WatchClipboard = !s.KeepWatchAtStart || watch;
    if (!(in.Entry(s.ShowMemoryNumber) && in.Entry(stored.MemoryLockColor) &&
          in.Entry(s.KeepHiddenAtStart) && in.Entry(hidden))) {
      return false;
    }
    stored.WindowHidden = s.KeepHiddenAtStart && hidden;
    if (!in.Entry(s.TrayClickUnhides)) return false;
  } else {
    s.KeepWatchAtStart = true;
    s.WatchClipboard = true;
    s.ShowMemoryNumber = false;
    stored.MemoryLockColor = stored.MemoryBackColor;
    s.KeepHiddenAtStart = true;
    s.TrayClickUnhides = false;
    stored.WindowHidden = false;
  }
  return true;
}

}  // namespace

SettingsReadResult ReadSettingsFile(const std::string& bytes, StoredSettings& stored) {
  SettingsReadResult result;
  Reader in(platform::FromTextModeBytes(bytes));
  std::string first;
  std::size_t afterFirst = 0;
  if (platform::ScanWord(in.Text(), afterFirst, first) && first == kSettingLabels[0]) {
    in.Pos() = afterFirst;
    std::int32_t version = 0;
    if (!in.Number(version)) {
      KeepUsable(stored.Config);
      return result;
    }
    result.Version = version;
  }
  // Without the version entry the file starts with the position: read anew from its start.
  result.Complete = ReadEntries(in, stored, result.Version);
  KeepUsable(stored.Config);
  return result;
}

std::string WriteSettingsFile(const StoredSettings& stored) {
  const Settings& s = stored.Config;
  std::string out;
  auto entry = [&](int number, std::int32_t value) {
    out += kSettingLabels[number - 1];
    out += "\n" + std::to_string(value) + "\n";
  };
  entry(kVersion, kSettingsVersion);
  out += std::string(kSettingLabels[kPosition - 1]) + "\n" + std::to_string(stored.Top) + " " +
         std::to_string(stored.Left) + "\n";
  entry(kAlwaysOnTop, s.AlwaysOnTop);
  entry(kAutoHide, s.AutoHide);
  entry(kHiddenWidth, s.HiddenWidth);
  entry(kWorkspaceColor, s.WorkspaceColor);
  entry(kCopy, s.ShowCopyButton);
  entry(kPaste, s.ShowPasteButton);
  entry(kCut, s.ShowCutButton);
  entry(kAllErase, s.ShowAllEraseButton);
  entry(kUndo, s.ShowUndoButton);
  entry(kRedo, s.ShowRedoButton);
  entry(kMemoryLimit, s.MemoryLimit);
  entry(kPerColumn, s.MemoriesPerColumn);
  entry(kBackColor, stored.MemoryBackColor);
  entry(kFontColor, stored.MemoryFontColor);
  entry(kSelectColor, s.MemorySelectColor);
  entry(kTabOrder, s.TabOrder);
  entry(kHotKey, s.HotKeyCode);
  out += std::to_string(s.HotKeyModifier) + "\n";
  entry(kGrowLeft, s.GrowLeft);
  entry(kShowPreview, s.ShowPreview);
  entry(kPreviewBelow, s.PreviewBelow);
  entry(kSaveOnLock, s.SaveOnLockChange);
  entry(kSaveUnlocked, s.SaveUnlocked);
  entry(kDirectCount, static_cast<std::int16_t>(s.DirectPasteKeys.size()));
  for (std::int16_t key : s.DirectPasteKeys) entry(kDirectKey, key);
  entry(kHideWait, s.HideWait);
  entry(kScrollAmount, s.ScrollAmount);
  entry(kSkipDuplicates, s.SkipDuplicates);
  entry(kDoubleClick, stored.DoubleClickPaste);
  entry(kManual, s.ManualMemory);
  entry(kKeepWatch, s.KeepWatchAtStart);
  entry(kWatch, s.WatchClipboard);
  entry(kShowNumber, s.ShowMemoryNumber);
  entry(kLockColor, stored.MemoryLockColor);
  entry(kKeepHidden, s.KeepHiddenAtStart);
  entry(kHidden, stored.WindowHidden);
  entry(kTrayUnhides, s.TrayClickUnhides);
  return platform::ToTextModeBytes(out);
}

}  // namespace korvane
