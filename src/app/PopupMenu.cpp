// The popup menu: its thirteen items in order, their check marks and their click handlers.
#include "app/Main.h"
#include "app/Texts.h"
#include "help/OpenHelp.h"

namespace korvane {

namespace {

platform::MenuItem Item(const std::string& caption, std::uint32_t command, bool checked = false) {
  platform::MenuItem item;
  item.caption = caption;
  item.command = command;
  item.checked = checked;
  return item;
}

platform::MenuItem Separator() { return Item(platform::MenuItem::kSeparator, kMenuNone); }

}  // namespace

std::vector<platform::MenuItem> TForm1::PopupMenuItems() const {
  platform::MenuItem groups = Item(kMenuGroup, kMenuNone);
  // One radio group: the checked item is the current group.
  for (std::size_t i = 0; i < GroupItems.size(); ++i) {
    platform::MenuItem group = Item(GroupItems[i],
                                    kMenuFirstGroup + static_cast<std::uint32_t>(i),
                                    static_cast<int>(i) == CheckedGroupItem);
    group.radio = true;
    groups.submenu.push_back(std::move(group));
  }
  return {
      std::move(groups),
      Item(kMenuMakeGroup, kMenuMakeGroupCommand),
      Item(kMenuGroupEdit, kMenuGroupEditCommand),
      Separator(),
      Item(kMenuWindowHidden, kMenuWindowHiddenCommand, PopWindowVisibleChecked),
      Item(kMenuWatchClipboard, kMenuWatchClipboardCommand, PopCheckClipChecked),
      Item(kMenuAlwaysOnTop, kMenuAlwaysOnTopCommand, PopForwardChecked),
      Separator(),
      Item(kMenuOptions, kMenuOptionsCommand),
      Separator(),
      Item(kMenuHelp, kMenuHelpCommand),
      Separator(),
      Item(kMenuExit, kMenuExitCommand),
  };
}

void TForm1::PopupMenu(platform::Point at) {
  if (dialogOpen_) return;
  PopupMenuClick(Window->TrackPopupMenu(PopupMenuItems(), at));
}

void TForm1::PopupMenuClick(std::uint32_t command) {
  switch (command) {
    case kMenuWindowHiddenCommand:
      PopWindowVisibleClick();
      break;
    case kMenuWatchClipboardCommand:
      PopCheckClipClick();
      break;
    case kMenuAlwaysOnTopCommand:
      PopForwardClick();
      break;
    case kMenuHelpCommand:
      Help1Click();
      break;
    case kMenuExitCommand:
      PM_ExitClick();
      break;
    case kMenuMakeGroupCommand:
      PM_MakeGroupClick();
      break;
    case kMenuGroupEditCommand:
      PM_GroupEditClick();
      break;
    case kMenuOptionsCommand:
      PM_OptionClick();
      break;
    default:
      if (command >= kMenuFirstGroup) SwitchGroup(static_cast<int>(command - kMenuFirstGroup));
      break;
  }
}

void TForm1::PopWindowVisibleClick() {
  // Acts at the next activation or deactivation of the application, not now.
  PopWindowVisibleChecked = !PopWindowVisibleChecked;
}

void TForm1::PopCheckClipClick() { ToggleClipboardWatch(); }

void TForm1::PopForwardClick() {
  Config.AlwaysOnTop = !Config.AlwaysOnTop;
  PopForwardChecked = Config.AlwaysOnTop;
  if (Config.AlwaysOnTop) {
    SetWindowTopMost();
  } else {
    SetWindowNoTopMost();
  }
}

void TForm1::Help1Click() { OpenHelp(System, 1); }

void TForm1::PM_ExitClick() { Window->Close(); }

}  // namespace korvane
