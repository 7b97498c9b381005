// The local folder helpers of the remote work on real folders.
#include "platform/local_folders.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace linkmoor {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(FtpLocalFoldersTest, MirrorFoldersForTwoLevelsAndNoneForAPlainName) {
  TempDir dir;
  EXPECT_TRUE(makeMirrorFolders(dir.path(), "page.htm"));
  EXPECT_TRUE(makeMirrorFolders(dir.path(), "/page.htm"));
  EXPECT_TRUE(fs::is_empty(dir.path()));
  EXPECT_TRUE(makeMirrorFolders(dir.path(), "folder/sub/page.htm"));
  EXPECT_TRUE(fs::is_directory(dir.file("folder/sub")));
  EXPECT_TRUE(makeMirrorFolders(dir.path(), "folder/sub/other.htm")); // already there
  EXPECT_FALSE(makeMirrorFolders(dir.path(), "a/../../out/page.htm"));
  EXPECT_FALSE(fs::exists(dir.path() + "/../out"));
}

TEST(FtpLocalFoldersTest, EmptyFolderClearAndSubFolders) {
  TempDir dir;
  EXPECT_TRUE(isFolderEmpty(dir.path()));
  fs::create_directory(dir.file("sub"));
  EXPECT_FALSE(isFolderEmpty(dir.path()));
  dir.write("sub/deeper/page.htm", "x");
  dir.write("top.htm", "y");
  TempDir outside;
  outside.write("keep.htm", "keep");
  fs::create_directory_symlink(outside.path(), dir.file("link"));
  clearFolder(dir.path());
  EXPECT_TRUE(fs::is_directory(dir.path()));
  EXPECT_TRUE(isFolderEmpty(dir.path()));
  EXPECT_EQ(outside.read("keep.htm"), "keep"); // the link was removed, not followed
}

TEST(FtpLocalFoldersTest, WriteTextFileReplacesWholeAndKeepsTheMode) {
  TempDir dir;
  const std::string path = dir.write("page.htm", "a much longer old text");
  chmod(path.c_str(), 0640);
  EXPECT_TRUE(writeTextFile(path, "new"));
  EXPECT_EQ(dir.read("page.htm"), "new");
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_TRUE(writeTextFile(dir.file("fresh.htm"), std::string(3000, 'z')));
  EXPECT_EQ(dir.read("fresh.htm"), std::string(3000, 'z'));
  EXPECT_FALSE(writeTextFile(dir.file("missing/x.htm"), "x"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(FtpLocalFoldersTest, TrailingSlash) {
  EXPECT_EQ(withTrailingSlash(""), "/");
  EXPECT_EQ(withTrailingSlash("www"), "www/");
  EXPECT_EQ(withTrailingSlash("www/"), "www/");
}

} // namespace
} // namespace linkmoor
