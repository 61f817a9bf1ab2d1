// Which group names may become a folder under Data: a name that Windows would take as another
// folder, a device or a way out of Data must never be one.
#include <gtest/gtest.h>

#include "groups/DataFolders.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

TEST(DataFolders, GroupNamesThatAreExactlyOneFolder) {
  struct Case {
    std::string name;
    bool folder;
  };
  const std::vector<Case> cases = {
      {Sjis("デフォルト"), true},
      {Sjis("表示"), true},            // its second byte is 0x5C, a backslash only in ASCII
      {Sjis("ソース|ポ"), false},       // but a real bar is one
      {Sjis("ソース"), true},
      {"work notes", true},
      {" leading blank", true},
      {"a.b", true},
      {"", false},
      {".", false},
      {"..", false},
      {"...", false},
      {"trailing.", false},            // Windows would drop the dot: the folder "trailing"
      {"trailing ", false},
      {"a\\b", false},
      {"..\\..\\Windows", false},
      {"a/b", false},
      {"c:", false},
      {"x*", false},
      {"what?", false},
      {"\"quoted\"", false},
      {"<a>", false},
      {"tab\there", false},
      {std::string("nul\0byte", 8), false},
      {"CON", false},
      {"con.txt", false},
      {"Aux .dat", false},
      {"nul", false},
      {"COM1", false},
      {"lpt9.log", false},
      {"COM10", true},
      {"CONSOLE", true},
      {"CONIN$", false},
      {"Unlock", false},               // the unlocked memories' own folder
      {"UNLOCK", false},
      {"unLock", false},
      {"Unlocked", true},
      {"\x83", false},                 // a lead byte without its trail byte
      {"\x81\x0A", false},
      {"\xFF", false},
      {std::string(255, 'a'), true},
      {std::string(256, 'a'), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsGroupFolderName(c.name), c.folder) << c.name;
    EXPECT_EQ(GroupFolderPath(c.name).has_value(), c.folder) << c.name;
  }
  EXPECT_EQ(GroupFolderPath(Sjis("デフォルト")), "Data\\" + Sjis("デフォルト") + "\\");
  EXPECT_EQ(UnlockFolderPath(), "Data\\Unlock\\");
  EXPECT_EQ(DataFilePath("Setting.dat"), "Data\\Setting.dat");
}

}  // namespace
}  // namespace korvane::test
