// Switching the current memory group, making a group of the locked memories shown, and
// ordering and deleting groups.
#include <algorithm>

#include "app/Main.h"
#include "app/ModalDialogGuard.h"
#include "app/Texts.h"
#include "groups/DataFolders.h"
#include "groups/GroupListEdit.h"
#include "groups/GroupNames.h"
#include "platform/FileNames.h"

namespace korvane {

bool TForm1::SwitchGroup(int index) {
  if (index < 0 || index >= static_cast<int>(GroupItems.size())) return false;
  // The memories of the group being left exist nowhere else: unsaved, they must stay shown.
  if (!SaveMemories()) return false;
  CheckedGroupItem = index;
  LoadLockedGroup(CurrentGroup());
  TrimToMemoryLimit();
  if (Slide == SlideState::Expanded) SetFormSize(true);
  SetControlPosition();
  // The new buttons take their places in the keyboard's order like any others.
  SetTabOrder();
  Window->Refresh();
  return true;
}

void TForm1::LoadLockedGroup(const std::string& group) {
  LockedTable.reset();
  // A group whose name cannot be a folder of its own (an index written by hand) has no files.
  const std::optional<std::string> folder = GroupFolderPath(group);
  LockedTable = folder ? std::make_unique<MemoryTable>(Owner, true, *folder)
                       : std::make_unique<MemoryTable>(Owner, true);
  LockedGroup = group;
}

void TForm1::TrimToMemoryLimit() {
  const int locked = LockedCount();
  if (locked + UnlockedCount() <= Config.MemoryLimit) return;
  // The locked memories are never dropped: the limit makes room for them.
  Config.MemoryLimit = std::max(Config.MemoryLimit, locked);
  while (UnlockedTable && UnlockedCount() > 0 && locked + UnlockedCount() > Config.MemoryLimit) {
    UnlockedTable->RemoveFirst();
  }
}

void TForm1::PM_MakeGroupClick() {
  std::optional<std::string> name;
  {
    ModalDialogGuard open(dialogOpen_);
    name = System.Dialog().AskGroupName(Window->Handle(), [this](const std::string& typed) {
      return GroupNameRefusal(typed, GroupItems);
    });
  }
  if (!name) return;
  // The group being left keeps its own copy of the memories shown, which from now on belong
  // to the new group and reach its folder at its next save.
  if (!SaveMemories()) return;
  GroupItems.push_back(*name);
  CheckedGroupItem = static_cast<int>(GroupItems.size()) - 1;
  LockedGroup = *name;
  SaveMemoryGroup();
}

void TForm1::PM_GroupEditClick() {
  if (GroupItems.empty()) return;
  GroupListEdit list({GroupItems.begin() + 1, GroupItems.end()});
  {
    ModalDialogGuard open(dialogOpen_);
    if (!System.Dialog().EditGroupList(Window->Handle(), list)) return;
  }
  const std::vector<std::string>& kept = list.Entries();
  auto isKept = [&](const std::string& group) {
    return std::find(kept.begin(), kept.end(), group) != kept.end();
  };
  const std::string current = CurrentGroup();
  // A deleted current group is left first; when its memories cannot be saved, nothing is
  // deleted at all.
  if (CheckedGroupItem > 0 && !isKept(current) && !SwitchGroup(0)) return;

  for (std::size_t i = 1; i < GroupItems.size(); ++i) {
    const std::string& group = GroupItems[i];
    if (!isKept(group)) DeleteGroupFiles(group, kept);
  }
  std::vector<std::string> names{kDefaultGroupName};
  names.insert(names.end(), kept.begin(), kept.end());
  GroupItems = std::move(names);
  const auto still = std::find(GroupItems.begin(), GroupItems.end(), current);
  CheckedGroupItem = still == GroupItems.end() ? 0 : static_cast<int>(still - GroupItems.begin());
  SaveMemoryGroup();
}

void TForm1::DeleteGroupFiles(const std::string& group, const std::vector<std::string>& kept) {
  const std::optional<std::string> folder = GroupFolderPath(group);
  if (!folder) return;  // a name that is no folder of its own has no files to delete
  // Windows does not tell folder names apart by case: a group still listed, or the default
  // one, may keep its memories in the very same folder.
  auto shares = [&](const std::string& other) {
    return platform::EqualsIgnoringCase932(group, other);
  };
  if (shares(kDefaultGroupName) || shares(LockedGroup) ||
      std::any_of(kept.begin(), kept.end(), shares)) {
    return;
  }
  MemoryTable::DeleteFolder(System.Files(), *folder);
}

}  // namespace korvane
