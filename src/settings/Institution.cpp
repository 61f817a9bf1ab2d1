// The settings file Data\Setting.dat.
#include "app/Main.h"

namespace korvane {

namespace {
constexpr char kSettingsFile[] = "Setting.dat";
constexpr int kShippedTop = 100;
constexpr int kShippedLeft = 100;
}  // namespace

void TForm1::OpenInstitution() {
  // The values of the shipped file are in force (Config's defaults); the window takes its
  // shipped place.
  System.Files().FileExists(DataPath(kSettingsFile));
  WriteLog("Open Setting.dat\n");
  const platform::Rect r = Window->BoundsRect();
  Window->SetBounds(kShippedLeft, kShippedTop, r.Width(), r.Height());
  PopWindowVisibleChecked = false;
}

// The file stays as the user left it until it can be written from what was read.
bool TForm1::SaveInstitution() { return true; }

}  // namespace korvane
