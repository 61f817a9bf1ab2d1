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

void TForm1::SetHotKey() {
  // Only the hotkey of the current settings stays registered.
  if (HotKeyAtom != 0) System.Sys().UnregisterHotKey(Window->Handle(), HotKeyAtom);
  HotKeyAtom = System.Sys().GlobalAddAtom(kHotKeyAtomName);
  // A combination taken by another program leaves us without a hotkey, silently.
  System.Sys().RegisterHotKey(Window->Handle(), HotKeyAtom,
                              HotKeyModifierFlags(Config.HotKeyModifier),
                              static_cast<std::uint16_t>(Config.HotKeyCode));
}

void TForm1::SetWindowTopMost() { Window->SetTopMost(true); }

void TForm1::SetWindowNoTopMost() { Window->SetTopMost(false); }

}  // namespace korvane
