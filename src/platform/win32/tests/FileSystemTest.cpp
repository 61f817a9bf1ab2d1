#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32FileSystem.h"

namespace korvane::platform::win32 {
namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  test::TempFolder temp_;
  Win32FileSystem files_;
  const std::string file_ = temp_.Path() + "\x83\x81\x83\x82.dat";  // メモ.dat
};

TEST_F(FileSystemTest, MovesBytesUnchanged) {
  // No text-mode conversion here: CR LF, 0x1A and NUL are the caller's business.
  const std::string bytes("a\r\nb\nc\x1A" "d\0e\x82\xA0", 11);
  ASSERT_TRUE(files_.WriteFile(file_, bytes));
  EXPECT_EQ(files_.ReadFile(file_), bytes);
  ASSERT_TRUE(files_.WriteFile(file_, "short"));  // truncates
  EXPECT_EQ(files_.ReadFile(file_), "short");
  ASSERT_TRUE(files_.AppendFile(file_, "+more"));
  ASSERT_TRUE(files_.AppendFile(temp_.Path() + "log.txt", "Start Soft\r\n"));  // creates
  EXPECT_EQ(files_.ReadFile(file_), "short+more");
  EXPECT_EQ(files_.ReadFile(temp_.Path() + "log.txt"), "Start Soft\r\n");
}

TEST_F(FileSystemTest, ReadGivesNothingForMissingFilesAndFolders) {
  EXPECT_EQ(files_.ReadFile(temp_.Path() + "missing.dat"), std::nullopt);
  ASSERT_TRUE(files_.CreateFolder(temp_.Path() + "sub"));
  EXPECT_EQ(files_.ReadFile(temp_.Path() + "sub"), std::nullopt);
}

TEST_F(FileSystemTest, ReplaceSwapsTheContentOrLeavesTheTargetAsItWas) {
  ASSERT_TRUE(files_.WriteFile(file_, "old content, longer"));
  ASSERT_TRUE(files_.ReplaceFile(file_, "new"));
  EXPECT_EQ(files_.ReadFile(file_), "new");
  EXPECT_FALSE(files_.FileExists(file_ + ".new"));

  // A folder cannot be replaced by a file: it stays, and no temporary is left behind.
  const std::string folder = temp_.Path() + "index.dat";
  ASSERT_TRUE(files_.CreateFolder(folder));
  EXPECT_FALSE(files_.ReplaceFile(folder, "bytes"));
  EXPECT_TRUE(files_.FolderExists(folder));
  EXPECT_FALSE(files_.FileExists(folder + ".new"));
  EXPECT_FALSE(files_.ReplaceFile(temp_.Path() + "no\\such.dat", "bytes"));
}

TEST_F(FileSystemTest, FoldersAndFilesAreToldApart) {
  const std::string folder = temp_.Path() + "\x83\x66\x83\x74\x83\x48\x83\x8B\x83\x67";
  EXPECT_TRUE(files_.CreateFolder(folder));
  EXPECT_FALSE(files_.CreateFolder(folder));                  // exists already
  EXPECT_FALSE(files_.CreateFolder(temp_.Path() + "a\\b"));  // one level only
  EXPECT_TRUE(files_.FolderExists(folder));
  EXPECT_FALSE(files_.FileExists(folder));
  ASSERT_TRUE(files_.WriteFile(file_, "x"));
  EXPECT_TRUE(files_.FileExists(file_));
  EXPECT_FALSE(files_.FolderExists(file_));
  // The name reached the system as デフォルト, not as bytes of another code page.
  EXPECT_NE(GetFileAttributesW((ToWide(temp_.Path()) + L"デフォルト").c_str()),
            INVALID_FILE_ATTRIBUTES);

  const std::string exeFolder = files_.ExecutableFolder();
  ASSERT_FALSE(exeFolder.empty());
  EXPECT_EQ(exeFolder.back(), '\\');
  EXPECT_TRUE(files_.FileExists(exeFolder + "korvane_win32_tests.exe"));
}

}  // namespace
}  // namespace korvane::platform::win32
