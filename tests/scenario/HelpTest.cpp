// Asking for help: the help file beside the program is shown at the topic asked for, and a
// missing or empty one gives the error box and nothing else.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "fake/FakePlatform.h"
#include "help/OpenHelp.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

class Help : public ::testing::Test {
 protected:
  fake::FakePlatform platform;
  const std::string path = "Help\\Korvane.hlp";
  std::vector<fake::FakeHelpViewer::Shown>& shows = platform.HelpWindow.Shows;
};

TEST_F(Help, ShowsTheShippedFileAtTheMenusAndTheOptionsDialogsTopics) {
  std::ifstream in(KORVANE_DATA_DIR "/../help/Korvane.hlp", std::ios::binary);
  platform.Files_.PutFile(path, {std::istreambuf_iterator<char>(in), {}});
  OpenHelp(platform, 1);
  OpenHelp(platform, 10);
  ASSERT_EQ(shows.size(), 2u);
  EXPECT_EQ(shows[0].Topics[shows[0].Current].Title, Sjis("Korvaneについて"));
  EXPECT_EQ(shows[1].Topics[shows[1].Current].Context, 10);
  EXPECT_EQ(shows[1].Topics.size(), shows[0].Topics.size());  // the whole book each time
  EXPECT_TRUE(platform.Application.Errors.empty());
}

TEST_F(Help, AnUnknownContextShowsTheFirstTopicAndAnEditedFileShowsAtOnce) {
  platform.Files_.PutFile(path, "#4 first\r\nA\r\n#1 second\r\nB\r\n");
  OpenHelp(platform, 99);
  platform.Files_.PutFile(path, "#1 new\r\nnew text\r\n");
  OpenHelp(platform, 1);
  ASSERT_EQ(shows.size(), 2u);
  EXPECT_EQ(shows[0].Current, 0u);
  ASSERT_EQ(shows[0].Topics.size(), 2u);
  EXPECT_EQ(shows[0].Topics[0].Title, "first");
  EXPECT_EQ(shows[0].Topics[0].Body, "A");
  EXPECT_EQ(shows[1].Topics[0].Body, "new text");
}

TEST_F(Help, NothingToShowGivesTheErrorBoxWithTheFilesFullPathAndNothingElse) {
  const std::string message =
      Sjis("ヘルプファイルを開けませんでした：") + "C:\\Users\\J?rgen\\??\\Korvane\\Help\\Korvane.hlp";
  OpenHelp(platform, 1);  // no file
  platform.Files_.PutFile(path, "; only a comment\r\nand text with no topic line\r\n#x\r\n");
  OpenHelp(platform, 1);
  platform.Files_.PutFile(path, "#1 fine\r\ntext\r\n");
  platform.Files_.Unreadable.insert(fake::FoldCase932(path));
  OpenHelp(platform, 10);
  EXPECT_EQ(platform.Application.Errors, std::vector<std::string>(3, message));
  EXPECT_TRUE(shows.empty());
  EXPECT_TRUE(platform.Journal.empty());  // nothing written, nothing registered
}

}  // namespace
}  // namespace korvane::test
