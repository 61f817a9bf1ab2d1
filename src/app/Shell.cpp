// The main window's registrations with the desktop: the tray icon and the activation hotkey.
#include "app/Main.h"
#include "app/Messages.h"

namespace korvane {

namespace {
constexpr std::uint32_t kTrayIconId = 100;
constexpr char kTrayTip[] = "Korvane";
constexpr char kHotKeyAtomName[] = "KRVN";
constexpr std::uint32_t kModAlt = 1;
constexpr std::uint32_t kModControl = 2;
constexpr std::uint32_t kModShift = 4;
}  // namespace

std::uint32_t HotKeyModifierFlags(std::int16_t modifierKey) {
  switch (modifierKey) {
    case 16:
      return kModShift;
    case 17:
      return kModControl;
    case 18:
      return kModAlt;
    default:
      return 0;
  }
}

void TForm1::SetTaskTray() {
  System.Sys().AddTrayIcon(Window->Handle(), kTrayIconId, UM_TRAYICON, kTrayTip);
}

void TForm1::DeleteTaskTray() { System.Sys().DeleteTrayIcon(Window->Handle(), kTrayIconId); }

void TForm1::TaskbarCreated() {
  // Only while the icon is ours to show: from start-up to shut-down.
  if (!destroyed_) SetTaskTray();
}

void TForm1::SetHotKey() {
  // Only the hotkey of the current settings stays registered, and the atom is held once.
  if (HotKeyAtom != 0) {
    System.Sys().UnregisterHotKey(Window->Handle(), HotKeyAtom);
    System.Sys().GlobalDeleteAtom(HotKeyAtom);
  }
  HotKeyAtom = System.Sys().GlobalAddAtom(kHotKeyAtomName);
  // A combination taken by another program leaves us without a hotkey, silently.
  System.Sys().RegisterHotKey(Window->Handle(), HotKeyAtom,
                              HotKeyModifierFlags(Config.HotKeyModifier),
                              static_cast<std::uint16_t>(Config.HotKeyCode));
}

platform::LResult TForm1::UMTrayIcon(platform::LParam mouseMessage) {
  switch (mouseMessage) {
    case wm::RButtonDown: {
      // On the press, not the release.
      platform::Point at;
      System.Desk().CursorPos(at);
      System.Desk().SetForegroundWindow(Window->Handle());
      PopupMenu(at);
      break;
    }
    case wm::LButtonDown:
      System.Desk().SetForegroundWindow(Window->Handle());
      Window->Show();
      // Otherwise a window hidden by the setting hides again at the next deactivation.
      if (Config.TrayClickUnhides) PopWindowVisibleChecked = false;
      break;
    default:
      break;
  }
  return 1;
}

void TForm1::WMHotKey() {
  // Any hotkey that reaches us shows the window; WindowHidden stays as it is.
  System.Desk().SetForegroundWindow(Window->Handle());
  Window->Show();
}

void TForm1::SetWindowTopMost() { Window->SetTopMost(true); }

void TForm1::SetWindowNoTopMost() { Window->SetTopMost(false); }

}  // namespace korvane
