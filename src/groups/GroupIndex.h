// Data\GroupIndex.dat: the number of groups, then one group name a line.
#pragma once

#include <string>
#include <vector>

namespace korvane {

// The names in file order. A file without a usable count or without groups gives nothing; the
// caller then keeps the default group alone.
std::vector<std::string> DecodeGroupIndex(const std::string& bytes);
std::string EncodeGroupIndex(const std::vector<std::string>& names);

}  // namespace korvane
