// Data\GroupIndex.dat: the names read from a sound or damaged index, and the index written
// back from them.
#include <gtest/gtest.h>

#include "groups/GroupIndex.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

TEST(GroupIndex, ReadsEveryNameAndWritesThemBackUnderASoundCount) {
  struct Case { const char* file; std::vector<std::string> names; };  // UTF-8
  const Case cases[] = {
      // A count: that many lines; the first name's leading blanks are skipped, inner ones kept.
      {"3\r\nデフォルト\r\n仕事\r\nA&B\r\n", {"デフォルト", "仕事", "A&B"}},
      {"2\r\n\r\n  デフォルト\r\n 仕 事 \r\n", {"デフォルト", " 仕 事 "}},
      {"1\r\nデフォルト\r\n仕事\r\n", {"デフォルト"}},
      {"5\r\nデフォルト\r\n仕事", {"デフォルト", "仕事"}},
      // A damaged count: its line is passed over; each line below that is not blank is a name.
      {"-1\r\nデフォルト\r\n仕事\r\n", {"デフォルト", "仕事"}},
      {"0\r\nデフォルト\r\n\r\n \t\r\n仕 事", {"デフォルト", "仕 事"}},
      {"abc\r\nデフォルト\r\n 仕事\r\n", {"デフォルト", " 仕事"}},
      // ... and the default group first: moved there, or added only when it is missing.
      {"abc\r\n仕事\r\n趣味\r\n", {"デフォルト", "仕事", "趣味"}},
      {"\r\n-3 groups\r\n仕事\r\nデフォルト\r\n趣味", {"デフォルト", "仕事", "趣味"}},
      // Nothing to read: the caller keeps the default group alone.
      {"", {}}, {"0\r\n", {}}, {"abc", {}}, {" \r\n\r\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> expected;
    for (const std::string& name : c.names) expected.push_back(Sjis(name));
    const std::vector<std::string> names = DecodeGroupIndex(Sjis(c.file));
    EXPECT_EQ(names, expected);
    EXPECT_EQ(DecodeGroupIndex(EncodeGroupIndex(names)), names);
  }
}

}  // namespace
}  // namespace korvane::test
