// Data\GroupIndex.dat: the number of groups, then one group name a line.
#pragma once

#include <string>
#include <vector>

namespace korvane {

// The names in file order: as many lines as a positive count says (fewer where the file ends
// first). After a damaged count (a word, zero or less) every line that is not blank is a name,
// the default group first. A file without names gives nothing; the caller then keeps the
// default group alone.
std::vector<std::string> DecodeGroupIndex(const std::string& bytes);
std::string EncodeGroupIndex(const std::vector<std::string>& names);

}  // namespace korvane
