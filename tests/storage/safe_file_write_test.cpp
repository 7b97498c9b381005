#include "storage/safe_file_write.h"

#include "support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using linkmoor::test::TempDir;
namespace fs = std::filesystem;

namespace {

bool writeFileAtomically(const std::string &path, std::string_view bytes) {
  return linkmoor::writeFileSafely(path, bytes) == linkmoor::WriteOutcome::Written;
}

int fileCount(const std::string &folder) {
  int count = 0;
  for ([[maybe_unused]] const auto &entry : fs::directory_iterator(folder))
    ++count;
  return count;
}

mode_t modeOf(const std::string &path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return 0;
  return info.st_mode & 07777;
}

} // namespace

TEST(SafeFileWrite, ReplacesTheWholeContent) {
  TempDir dir;
  const std::string page = dir.write("page.htm", std::string(5000, 'x'));
  ASSERT_TRUE(writeFileAtomically(page, "short"));
  EXPECT_EQ(dir.read("page.htm"), "short");
  EXPECT_EQ(fileCount(dir.path()), 1);
}

TEST(SafeFileWrite, CreatesAMissingFileAndWritesEmptyContent) {
  TempDir dir;
  ASSERT_TRUE(writeFileAtomically(dir.file("new.htm"), std::string("a\0b", 3)));
  EXPECT_EQ(dir.read("new.htm"), std::string("a\0b", 3));
  ASSERT_TRUE(writeFileAtomically(dir.file("new.htm"), ""));
  EXPECT_TRUE(fs::exists(dir.file("new.htm")));
  EXPECT_EQ(fs::file_size(dir.file("new.htm")), 0u);
  EXPECT_EQ(fileCount(dir.path()), 1);
}

TEST(SafeFileWrite, NewFileGetsTheUsualModeNotAPrivateOne) {
  TempDir dir;
  const mode_t mask = umask(022);
  ASSERT_TRUE(writeFileAtomically(dir.file("new.htm"), "x"));
  umask(mask);
  EXPECT_EQ(modeOf(dir.file("new.htm")), 0644u);
}

TEST(SafeFileWrite, KeepsThePermissionBits) {
  TempDir dir;
  const std::string page = dir.write("page.htm", "old");
  ASSERT_EQ(chmod(page.c_str(), 0640), 0);
  ASSERT_TRUE(writeFileAtomically(page, "new"));
  EXPECT_EQ(modeOf(page), 0640u);
  ASSERT_EQ(chmod(page.c_str(), 0755), 0);
  ASSERT_TRUE(writeFileAtomically(page, "newer"));
  EXPECT_EQ(modeOf(page), 0755u);
  EXPECT_EQ(dir.read("page.htm"), "newer");
}

TEST(SafeFileWrite, FollowsASymbolicLinkAndKeepsIt) {
  TempDir dir;
  dir.write("real/page.htm", "old");
  fs::create_symlink(dir.file("real/page.htm"), dir.file("link.htm"));
  ASSERT_TRUE(writeFileAtomically(dir.file("link.htm"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.file("link.htm")));
  EXPECT_EQ(dir.read("real/page.htm"), "new");
  EXPECT_EQ(fileCount(dir.file("real")), 1);
}

TEST(SafeFileWriteFailure, MissingFolderFailsAndCreatesNothing) {
  TempDir dir;
  EXPECT_FALSE(writeFileAtomically(dir.file("gone/page.htm"), "x"));
  EXPECT_FALSE(fs::exists(dir.file("gone")));
  EXPECT_FALSE(writeFileAtomically("", "x"));
}

TEST(SafeFileWriteFailure, AFolderInPlaceOfTheFileIsLeftAlone) {
  TempDir dir;
  fs::create_directory(dir.file("page.htm"));
  EXPECT_FALSE(writeFileAtomically(dir.file("page.htm"), "x"));
  EXPECT_TRUE(fs::is_directory(dir.file("page.htm")));
  EXPECT_EQ(fileCount(dir.path()), 1);
}

TEST(SafeFileWriteFailure, WriteCutShortLeavesTheOldFileWhole) {
  // A file size limit makes the write itself fail part way, which works even
  // for a privileged user.
  TempDir dir;
  const std::string old(3000, 'o');
  const std::string page = dir.write("page.htm", old);
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = writeFileAtomically(page, std::string(10000, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(dir.read("page.htm"), old);
  EXPECT_EQ(fileCount(dir.path()), 1);
}

TEST(SafeFileWriteFailure, ReadOnlyFileLeavesTheOldFileWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind a privileged user";
  TempDir dir;
  const std::string page = dir.write("site/page.htm", "old");
  ASSERT_EQ(chmod(page.c_str(), 0444), 0);
  EXPECT_FALSE(writeFileAtomically(page, "new"));
  EXPECT_EQ(dir.read("site/page.htm"), "old");
  EXPECT_EQ(fileCount(dir.file("site")), 1);
}
