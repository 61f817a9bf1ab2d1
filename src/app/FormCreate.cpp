// Start-up: the main window's construction and FormCreate's fixed sequence of steps, each
// traced by one line of log.txt.
#include <exception>

#include "app/Main.h"
#include "app/Texts.h"
#include "groups/DataFolders.h"
#include "platform/TextMode.h"

namespace korvane {

namespace {
constexpr char kCaption[] = "Korvane";
constexpr char kLogFile[] = "log.txt";
}  // namespace

TForm1::TForm1(platform::Platform& platform)
    : System(platform),
      Window(platform.App().CreateMainWindow(*this, kCaption)),
      Owner{platform, *Window, Shared},
      Preview(std::make_unique<MemoryPreview>(*Window)),
      Watch(platform.Clip(), *Window) {
  Shared.MemoryBackColor = kDefaultMemoryBackColor;
  Shared.MemoryFontColor = kDefaultMemoryFontColor;
  Shared.MemoryLockColor = kDefaultMemoryLockColor;
  Shared.DoubleClickPaste = kDefaultDoubleClickPaste;
  RunGuarded(&TForm1::FormCreate);
}

void TForm1::RunGuarded(void (TForm1::*sequence)()) {
  try {
    (this->*sequence)();
  } catch (const std::exception& error) {
    ShowError(error.what());
  }
}

void TForm1::WriteLog(const std::string& line) {
  // Opened and closed per line, so that each line is on disk as soon as it is written.
  System.Files().AppendFile(kLogFile, platform::ToTextModeBytes(line));
}

void TForm1::FormCreate() {
  System.Files().WriteFile(kLogFile, "");
  WriteLog("Start Soft\n");
  SetTaskTray();
  WriteLog("SetTaskTray()\n");
  OpenInstitution();
  WriteLog("OpenInstitution()\n");
  Init2();
  WriteLog("Init2()\n");
  // A save that a crash or a kill cut short is finished before anything is read.
  FinishInterruptedSave();
  OpenMemoryGroup();
  WriteLog("OpenMemoryGroup()\n");
  CreateMemoryTable();
  WriteLog("CreateMemoryTable()\n");
  SetFormSize(false);
  WriteLog("SetFormSize()\n");
  // The settings file stores the right edge of a window that grows to the left.
  if (Config.GrowLeft) SetLeft(Left() - Width());
  CreateOptionButton();
  WriteLog("CreateOptionButton()\n");
  SetControlPosition();
  WriteLog("SetControlPosition()\n");
  SetTabOrder();
  WriteLog("SetTabOrder()\n");
  SetHotKey();
  WriteLog("SetHotKey()\n");
  SetClipboard();
  WriteLog("SetClipboard()\n");
  Window->Refresh();
  WriteLog("Refresh()\n");
}

void TForm1::Init2() {
  SlideTimer = 0;
  Shared.MainWindowHandle = Window->Handle();
  Slide = SlideState::Expanded;
  AppActive = true;

  LockedTable.reset();
  UnlockedTable.reset();
  DeleteOptionButton();
  GroupItems.clear();
  CheckedGroupItem = -1;
  Shared.LockChangedItem = nullptr;
  Shared.FocusedItem = nullptr;
  Shared.LeftItem = nullptr;

  Shared.NumberMargin = Config.ShowMemoryNumber ? 20 : 8;
  Window->SetColor(Config.WorkspaceColor);

  if (Config.AlwaysOnTop) {
    SetWindowTopMost();
    PopForwardChecked = true;
  }
  PopCheckClipChecked = Config.WatchClipboard;

  LoadCommonImage();
  WriteLog("LoadCommonImage()\n");

  // Keep the window on the desktop. The stored Left is tested before a left-growing window is
  // moved by its width.
  platform::Rect screen;
  if (!System.Desk().ScreenRect(screen)) return;
  if (Left() > screen.Right) SetLeft(200);
  if (Top() > screen.Bottom) SetTop(100);
  if (Left() < 0) SetLeft(0);
  if (Top() < 0) SetTop(0);
}

void TForm1::LoadCommonImage() {
  LockGlyph.reset();
  Shared.LockGlyph = nullptr;
  // Without its picture a lock toggle still shows its state as a raised or sunken face, so a
  // damaged installation keeps every memory usable instead of stopping the start-up here.
  try {
    LockGlyph = System.LoadBitmap(DataFilePath("Lock.bmp"));
  } catch (const platform::PlatformError&) {
    LockGlyph.reset();
  }
  Shared.LockGlyph = LockGlyph.get();
}

void TForm1::CreateMemoryTable() {
  if (Config.SaveUnlocked) {
    UnlockedTable = std::make_unique<MemoryTable>(Owner, false, UnlockFolderPath());
  } else {
    UnlockedTable = std::make_unique<MemoryTable>(Owner, false);
  }
  // Whatever group was current at the last exit, the default group is current at start. The
  // locked memories go back into the folder they came from, whatever the index lists first.
  LockedGroup = kDefaultGroupName;
  LockedTable = std::make_unique<MemoryTable>(Owner, true, *GroupFolderPath(LockedGroup));
}

void TForm1::Show() { Window->Show(); }

void TForm1::FormShow() {
  // The hidden application window owns the taskbar button; the program is reached through the
  // tray icon, the hotkey and the window itself.
  System.Desk().ShowWindow(System.App().Handle(), false);
}

void TForm1::WindowShown() { FormShow(); }

void TForm1::SetLeft(int left) {
  platform::Rect r = Window->BoundsRect();
  Window->SetBounds(left, r.Top, r.Width(), r.Height());
}

void TForm1::SetTop(int top) {
  platform::Rect r = Window->BoundsRect();
  Window->SetBounds(r.Left, top, r.Width(), r.Height());
}

void TForm1::SetSize(int width, int height) {
  platform::Rect r = Window->BoundsRect();
  Window->SetBounds(r.Left, r.Top, width, height);
}

}  // namespace korvane
