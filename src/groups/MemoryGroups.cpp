// The memory groups as the main window holds them: read from the group index at start, the
// first one current, written back at shut-down.
#include "app/Main.h"
#include "app/Texts.h"
#include "groups/DataFolders.h"
#include "groups/GroupIndex.h"

namespace korvane {

void TForm1::OpenMemoryGroup() {
  GroupItems.clear();
  if (auto bytes = System.Files().ReadFile(DataFilePath("GroupIndex.dat"))) {
    GroupItems = DecodeGroupIndex(*bytes);
  }
  // The default group is the one the program cannot do without: a missing or empty index
  // still yields it, and the index written at exit heals.
  if (GroupItems.empty()) GroupItems.push_back(kDefaultGroupName);
  CheckedGroupItem = 0;
}

bool TForm1::SaveMemoryGroup() {
  if (GroupItems.empty()) return true;  // start-up never read the index: leave it as it is
  if (System.Files().ReplaceFile(DataFilePath("GroupIndex.dat"), EncodeGroupIndex(GroupItems))) {
    return true;
  }
  ShowError(kSettingsSaveFailedMessage + DataFilePath("GroupIndex.dat"));
  return false;
}

void TForm1::FreeGroupItems() {
  GroupItems.clear();
  CheckedGroupItem = -1;
}

std::string TForm1::CurrentGroup() const {
  if (CheckedGroupItem < 0 || CheckedGroupItem >= static_cast<int>(GroupItems.size())) return "";
  return GroupItems[CheckedGroupItem];
}

}  // namespace korvane
