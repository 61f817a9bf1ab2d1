#include "groups/DataFolders.h"

#include "platform/FileNames.h"

namespace korvane {

std::string DataFilePath(const std::string& name) { return "Data\\" + name; }

bool IsGroupFolderName(const std::string& group) {
  return platform::IsPlainFileName(group) &&
         !platform::EqualsIgnoringCase932(group, kUnlockFolderName);
}

std::optional<std::string> GroupFolderPath(const std::string& group) {
  if (!IsGroupFolderName(group)) return std::nullopt;
  return DataFilePath(group) + "\\";
}

std::string UnlockFolderPath() { return DataFilePath(kUnlockFolderName) + "\\"; }

}  // namespace korvane
