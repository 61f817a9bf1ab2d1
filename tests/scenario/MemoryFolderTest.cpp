// Memory folders on disk: what Load reads and Save writes, a damaged folder included.
#include <gtest/gtest.h>

#include "memory/MemoryFiles.h"
#include "memory/SaveBatch.h"
#include "unit/ItemHarness.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

class MemoryFolderTest : public ::testing::Test, public ItemHarness {
 protected:
  MemoryFolderTest() { platform.Files_.MakeFolders("Data\\Group"); }
  std::string Path(const std::string& name) { return "Data\\Group\\" + name; }
  bool Save(const MemoryTable& table) {
    SaveBatch batch(platform.Files_, "Data\\SaveJournal.dat");
    table.Save(batch, "Data\\Group\\");
    return batch.Commit();
  }
  void Put(const std::string& name, const std::string& bytes) { platform.Files_.PutFile(Path(name), bytes); }
  std::optional<std::string> Bytes(const std::string& name) { return platform.Files_.Bytes(Path(name)); }
  std::vector<std::string> Loaded() {
    MemoryTable table(owner, true, "Data\\Group\\");
    EXPECT_TRUE(TableIsConsistent(table));
    return Texts(table);
  }
};

TEST_F(MemoryFolderTest, SavedFilesAreExactlyTheFormat) {
  MemoryTable table(owner, false);
  table.AddMemory(-1, false, "ab\r\nc");
  table.AddMemory(-1, false, "x\ny");
  ASSERT_TRUE(Save(table));
  EXPECT_EQ(Bytes("memory0.dat"), "ab\r\r\nc");
  EXPECT_EQ(Bytes("memory1.dat"), "x\r\ny");
  EXPECT_EQ(Bytes("index.dat"), "2");
  EXPECT_EQ(platform.Files_.StoredName(Path("INDEX.DAT")), Path("index.dat"));
}

TEST_F(MemoryFolderTest, EmptyTableWritesACountOfZeroOnly) {
  MemoryTable table(owner, false);
  ASSERT_TRUE(Save(table));
  EXPECT_EQ(Bytes("index.dat"), "0");
  EXPECT_EQ(platform.Files_.FilesIn("Data\\Group"), std::vector<std::string>{"index.dat"});
}

TEST_F(MemoryFolderTest, SaveDeletesNothingAndLoadIsBoundByTheCount) {
  MemoryTable five(owner, false);
  for (const char* t : {"a", "b", "c", "d", "e"}) five.AddMemory(-1, false, t);
  ASSERT_TRUE(Save(five));
  MemoryTable three(owner, false);
  for (const char* t : {"x", "y", "z"}) three.AddMemory(-1, false, t);
  ASSERT_TRUE(Save(three));
  EXPECT_EQ(Bytes("memory3.dat"), "d");
  EXPECT_EQ(Bytes("memory4.dat"), "e");
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"x", "y", "z"}));
}

TEST_F(MemoryFolderTest, TwelveMemoriesLoadInNumberOrder) {
  std::vector<std::string> texts;
  for (int i = 0; i < 12; ++i) texts.push_back("m" + std::to_string(i));
  MemoryTable table(owner, false);
  for (const auto& t : texts) table.AddMemory(-1, false, t);
  ASSERT_TRUE(Save(table));
  EXPECT_TRUE(Bytes("memory10.dat"));
  EXPECT_TRUE(Bytes("memory11.dat"));
  EXPECT_EQ(Loaded(), texts);
}

TEST_F(MemoryFolderTest, ReaderMatchesNamesWithoutRegardToCase) {
  Put("INDEX.DAT", " 2\r\n");
  Put("MEMORY0.DAT", "up");
  Put("memory1.dat", "down");
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"up", "down"}));
}

TEST_F(MemoryFolderTest, CarriageReturnAndControlZSurviveAsTheFormatSays) {
  MemoryTable table(owner, false);
  table.AddMemory(-1, false, "a\rb");
  table.AddMemory(-1, false, std::string("cut\x1a" "here"));
  ASSERT_TRUE(Save(table));
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"ab", "cut"}));
}

TEST_F(MemoryFolderTest, CountOfZeroOrLessOrWithTrailingTextIsReadAsItSays) {
  Put("memory0.dat", "a");
  for (const char* count : {"0", "-4"}) {
    Put("index.dat", count);
    EXPECT_TRUE(Loaded().empty()) << count;
  }
  Put("index.dat", "1 and more");
  EXPECT_EQ(Loaded(), std::vector<std::string>{"a"});
}

TEST_F(MemoryFolderTest, MissingCountFileRecoversTheFilesPresent) {
  Put("memory0.dat", "a");
  Put("memory1.dat", "b");
  Put("memory3.dat", "after a gap");
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"a", "b"}));
  Put("index.dat", "no number here");
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"a", "b"}));
  // The next save writes a count for them again.
  MemoryTable table(owner, true, "Data\\Group\\");
  ASSERT_TRUE(Save(table));
  EXPECT_EQ(Bytes("index.dat"), "2");
}

TEST_F(MemoryFolderTest, CountBeyondTheFilesLoadsThoseThatExist) {
  Put("index.dat", "5");
  Put("memory0.dat", "a");
  Put("memory2.dat", "c");
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"a", "c"}));  // no empty phantom memories
}

TEST_F(MemoryFolderTest, HugeCountDoesNotHang) {
  Put("index.dat", "2147483647");
  Put("memory0.dat", "only");
  EXPECT_EQ(Loaded(), std::vector<std::string>{"only"});
  Put("index.dat", "99999999999999999999999");
  EXPECT_EQ(Loaded(), std::vector<std::string>{"only"});
}

TEST_F(MemoryFolderTest, UnreadableMemoryFileIsPassedOver) {
  Put("index.dat", "3");
  for (int i = 0; i < 3; ++i) Put(MemoryFileWriteName(i), "t" + std::to_string(i));
  platform.Files_.Unreadable.insert(fake::FoldCase932(Path("memory1.dat")));
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"t0", "t2"}));
}

TEST_F(MemoryFolderTest, MissingFolderLoadsNothingAndSaveMakesIt) {
  MemoryTable table(owner, true, "Data\\Nowhere\\");
  EXPECT_EQ(table.Count, 0);
  table.AddMemory(-1, true, "new");
  SaveBatch batch(platform.Files_, "Data\\SaveJournal.dat");
  table.Save(batch, "Data\\Nowhere\\");
  ASSERT_TRUE(batch.Commit());
  EXPECT_EQ(platform.Files_.Bytes("Data\\Nowhere\\memory0.dat"), "new");
}

TEST_F(MemoryFolderTest, FailedWriteIsReportedAndLeavesTheOldFile) {
  Put("index.dat", "1");
  Put("memory0.dat", "old");
  platform.Files_.Unwritable.insert(fake::FoldCase932(Path("memory0.dat")));
  MemoryTable table(owner, false);
  table.AddMemory(-1, false, "new");
  EXPECT_FALSE(Save(table));
  EXPECT_EQ(Bytes("memory0.dat"), "old");
}

TEST_F(MemoryFolderTest, JapaneseFolderNamesAreUsedAsTheyAre) {
  const std::string folder = Sjis("デフォルト");
  MemoryTable table(owner, true);
  table.AddMemory(-1, true, Sjis("テキスト"));
  SaveBatch batch(platform.Files_, "Data\\SaveJournal.dat");
  table.Save(batch, "Data\\" + folder + "\\");
  ASSERT_TRUE(batch.Commit());
  EXPECT_EQ(platform.Files_.Bytes("Data\\" + folder + "\\memory0.dat"), Sjis("テキスト"));
}

}  // namespace
}  // namespace korvane::test
