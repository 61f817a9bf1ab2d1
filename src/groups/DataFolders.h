// Where the program's files lie, relative to the executable's folder: the one place that
// joins "Data\" and turns a group's name into the folder of its memories.
#pragma once

#include <optional>
#include <string>

namespace korvane {

// The folder of the unlocked memories, beside the groups' folders.
inline constexpr char kUnlockFolderName[] = "Unlock";

// "Data\<name>".
std::string DataFilePath(const std::string& name);

// Whether a group's name can be the folder of its memories: exactly one folder under Data
// (see IsPlainFileName) and not the unlocked memories' folder, in any letter case.
bool IsGroupFolderName(const std::string& group);
// "Data\<group>\", or nothing for a name that cannot be its own folder: such a group's
// memories are neither read nor written.
std::optional<std::string> GroupFolderPath(const std::string& group);
// "Data\Unlock\".
std::string UnlockFolderPath();

}  // namespace korvane
