#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32FileSystem.h"

namespace korvane::platform::win32 {
namespace {

// The installation under a folder whose name code page 932 cannot hold: the program's paths
// are relative, and only those go through the conversion.
class FileSystemTest : public ::testing::Test {
 protected:
  test::TempFolder temp_{L"Korvane-J\u00fcrgen-\ud55c\uad6d\uc5b4"};
  Win32FileSystem files_{temp_.WidePath()};
  const std::string file_ = "\x83\x81\x83\x82.dat";  // メモ.dat
  bool OnDisk(const std::wstring& name) {
    return GetFileAttributesW((temp_.WidePath() + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

TEST_F(FileSystemTest, MovesBytesUnchanged) {
  // No text-mode conversion here: CR LF, 0x1A and NUL are the caller's business.
  const std::string bytes("a\r\nb\nc\x1A" "d\0e\x82\xA0", 11);
  ASSERT_TRUE(files_.WriteFile(file_, bytes));
  EXPECT_TRUE(OnDisk(L"メモ.dat"));
  EXPECT_EQ(files_.ReadFile(file_), bytes);
  ASSERT_TRUE(files_.WriteFile(file_, "short"));  // truncates
  EXPECT_EQ(files_.ReadFile(file_), "short");
  ASSERT_TRUE(files_.AppendFile(file_, "+more"));
  ASSERT_TRUE(files_.AppendFile("log.txt", "Start Soft\r\n"));  // creates
  EXPECT_EQ(files_.ReadFile(file_), "short+more");
  EXPECT_EQ(files_.ReadFile("log.txt"), "Start Soft\r\n");
}

TEST_F(FileSystemTest, ReadGivesNothingForMissingFilesAndFolders) {
  EXPECT_EQ(files_.ReadFile("missing.dat"), std::nullopt);
  ASSERT_TRUE(files_.CreateFolder("sub"));
  EXPECT_EQ(files_.ReadFile("sub"), std::nullopt);
}

TEST_F(FileSystemTest, ReplaceSwapsTheContentOrLeavesTheTargetAsItWas) {
  ASSERT_TRUE(files_.WriteFile(file_, "old content, longer"));
  ASSERT_TRUE(files_.ReplaceFile(file_, "new"));
  EXPECT_EQ(files_.ReadFile(file_), "new");
  EXPECT_FALSE(OnDisk(L"メモ.dat.tmp"));

  // A folder cannot be replaced by a file: it stays, and no temporary is left behind.
  ASSERT_TRUE(files_.CreateFolder("index.dat"));
  EXPECT_FALSE(files_.ReplaceFile("index.dat", "bytes"));
  EXPECT_TRUE(files_.FolderExists("index.dat"));
  EXPECT_FALSE(OnDisk(L"index.dat.tmp"));
  EXPECT_FALSE(files_.ReplaceFile("no\\such.dat", "bytes"));
}

TEST_F(FileSystemTest, MoveReplacesAndDeleteRemoves) {
  ASSERT_TRUE(files_.WriteFile("a.dat", "old"));
  ASSERT_TRUE(files_.WriteFile("a.dat.new", "new"));
  ASSERT_TRUE(files_.MoveFile("a.dat.new", "a.dat"));
  EXPECT_EQ(files_.ReadFile("a.dat"), "new");
  EXPECT_FALSE(files_.FileExists("a.dat.new"));
  EXPECT_FALSE(files_.MoveFile("a.dat.new", "a.dat"));  // nothing to move: the file stays
  EXPECT_EQ(files_.ReadFile("a.dat"), "new");
  EXPECT_TRUE(files_.DeleteFile("a.dat"));
  EXPECT_FALSE(files_.DeleteFile("a.dat"));
  EXPECT_FALSE(files_.FileExists("a.dat"));
}

TEST_F(FileSystemTest, FoldersAndFilesAreToldApart) {
  const std::string folder = "\x83\x66\x83\x74\x83\x48\x83\x8B\x83\x67";
  EXPECT_TRUE(files_.CreateFolder(folder));
  EXPECT_FALSE(files_.CreateFolder(folder));  // exists already
  EXPECT_FALSE(files_.CreateFolder("a\\b"));  // one level only
  EXPECT_TRUE(files_.FolderExists(folder));
  EXPECT_FALSE(files_.FileExists(folder));
  ASSERT_TRUE(files_.WriteFile(file_, "x"));
  EXPECT_TRUE(files_.FileExists(file_));
  EXPECT_FALSE(files_.FolderExists(file_));
  // The name reached the system as デフォルト, not as bytes of another code page.
  EXPECT_TRUE(OnDisk(L"デフォルト"));

  const std::wstring exeFolder = ExecutableFolderW();
  ASSERT_FALSE(exeFolder.empty());
  EXPECT_EQ(exeFolder.back(), L'\\');
  EXPECT_TRUE(Win32FileSystem().FileExists("korvane_win32_tests.exe"));
}

}  // namespace
}  // namespace korvane::platform::win32
