// Whether a name typed for a new group can be taken.
#pragma once

#include <string>
#include <vector>

namespace korvane {

// Why `name` cannot name a new group beside `existing` (code page 932, for a warning box), or
// "" when it can. Taken already (also in another letter case: both would share one folder),
// empty, or not exactly one folder of its own under Data.
std::string GroupNameRefusal(const std::string& name, const std::vector<std::string>& existing);

}  // namespace korvane
