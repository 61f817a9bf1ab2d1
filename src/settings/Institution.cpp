// The settings file Data\Setting.dat: read once at start, written once at exit.
#include "app/Main.h"
#include "app/Texts.h"
#include "groups/DataFolders.h"
#include "settings/SettingsFile.h"

namespace korvane {

namespace {
constexpr char kSettingsFile[] = "Setting.dat";
}  // namespace

void TForm1::OpenInstitution() {
  std::optional<std::string> bytes = System.Files().ReadFile(DataFilePath(kSettingsFile));
  WriteLog("Open Setting.dat\n");

  // A missing or cut-short file leaves the shipped values for whatever it does not hold.
  StoredSettings stored;
  if (bytes) ReadSettingsFile(*bytes, stored);

  Config = stored.Config;
  Shared.MemoryBackColor = stored.MemoryBackColor;
  Shared.MemoryFontColor = stored.MemoryFontColor;
  Shared.MemoryLockColor = stored.MemoryLockColor;
  Shared.DoubleClickPaste = stored.DoubleClickPaste;
  PopWindowVisibleChecked = stored.WindowHidden;
  const platform::Rect r = Window->BoundsRect();
  Window->SetBounds(stored.Left, stored.Top, r.Width(), r.Height());
}

bool TForm1::SaveInstitution() {
  StoredSettings stored;
  stored.Config = Config;
  stored.Top = Top();
  // A window that grows to the left keeps its right edge where the user put it.
  stored.Left = Config.GrowLeft ? Left() + Width() : Left();
  stored.MemoryBackColor = Shared.MemoryBackColor;
  stored.MemoryFontColor = Shared.MemoryFontColor;
  stored.MemoryLockColor = Shared.MemoryLockColor;
  stored.DoubleClickPaste = Shared.DoubleClickPaste;
  stored.WindowHidden = PopWindowVisibleChecked;
  if (System.Files().ReplaceFile(DataFilePath(kSettingsFile), WriteSettingsFile(stored))) {
    return true;
  }
  ShowError(kSettingsSaveFailedMessage + DataFilePath(kSettingsFile));
  return false;
}

}  // namespace korvane
