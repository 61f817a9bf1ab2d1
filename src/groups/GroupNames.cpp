#include "groups/GroupNames.h"

#include "app/Texts.h"
#include "groups/DataFolders.h"
#include "platform/FileNames.h"

namespace korvane {

std::string GroupNameRefusal(const std::string& name, const std::vector<std::string>& existing) {
  for (const std::string& group : existing) {
    // Windows does not tell folder names apart by case.
    if (platform::EqualsIgnoringCase932(name, group)) return kGroupNameTakenMessage;
  }
  if (name.empty()) return kGroupNameEmptyMessage;
  if (!platform::HasOnlyFileNameCharacters(name)) return kGroupNameCharactersMessage;
  if (!IsGroupFolderName(name)) return kGroupNameReservedMessage;
  return "";
}

}  // namespace korvane
