// Saves that must not rename: a folder the user may not write, hard links, a file of
// another owner. The page is overwritten in place after a backup in the cache folder.

#include "storage/safe_file_write.h"

#include "support/temp_dir.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace linkmoor;
using linkmoor::test::TempDir;
namespace fs = std::filesystem;

namespace {

class CarefulSave : public ::testing::Test {
protected:
  void SetUp() override {
    const char *old = std::getenv("XDG_CACHE_HOME");
    if (old) savedCache_ = old, hadCache_ = true;
    setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
  }
  void TearDown() override {
    if (hadCache_)
      setenv("XDG_CACHE_HOME", savedCache_.c_str(), 1);
    else
      unsetenv("XDG_CACHE_HOME");
  }
  /// Files left in the backup folder.
  int backups() const {
    if (!fs::exists(cache.file("linkmoor"))) return 0;
    int count = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator(cache.file("linkmoor")))
      ++count;
    return count;
  }
  static ino_t inodeOf(const std::string &path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
  }

  TempDir dir, cache;

private:
  std::string savedCache_;
  bool hadCache_ = false;
};

} // namespace

TEST_F(CarefulSave, BackupFolderIsTheUsersCache) {
  EXPECT_EQ(backupFolderPath(), cache.path() + "/linkmoor");
  unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(backupFolderPath(), std::string(std::getenv("HOME")) + "/.cache/linkmoor");
}

TEST_F(CarefulSave, AWritablePageInAFolderTheUserMayNotWriteIsSaved) {
  if (geteuid() == 0) GTEST_SKIP() << "Skipped: permissions do not bind a privileged user";
  const std::string page = dir.write("site/page.htm", "old text, longer than the new");
  ASSERT_EQ(chmod(dir.file("site").c_str(), 0555), 0);
  const WriteOutcome outcome = writeFileSafely(page, "new");
  chmod(dir.file("site").c_str(), 0755);
  EXPECT_EQ(outcome, WriteOutcome::Written);
  EXPECT_EQ(dir.read("site/page.htm"), "new");
  EXPECT_EQ(backups(), 0) << "the backup goes once the new text is on the disk";
}

TEST_F(CarefulSave, HardLinksKeepSharingTheNewText) {
  const std::string page = dir.write("page.htm", "old");
  ASSERT_EQ(link(page.c_str(), dir.file("other-name.htm").c_str()), 0);
  const ino_t before = inodeOf(page);
  EXPECT_EQ(writeFileSafely(page, "new text"), WriteOutcome::Written);
  EXPECT_EQ(inodeOf(page), before);
  EXPECT_EQ(dir.read("other-name.htm"), "new text");
  EXPECT_EQ(backups(), 0);
}

TEST_F(CarefulSave, AFailedOverwriteInPlacePutsTheOldTextBack) {
  const std::string old(3000, 'o');
  const std::string page = dir.write("page.htm", old);
  ASSERT_EQ(link(page.c_str(), dir.file("twin.htm").c_str()), 0);
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const WriteOutcome outcome = writeFileSafely(page, std::string(10000, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(outcome, WriteOutcome::Failed);
  EXPECT_EQ(dir.read("page.htm"), old);
  EXPECT_EQ(dir.read("twin.htm"), old);
  EXPECT_EQ(backups(), 0);
}

TEST_F(CarefulSave, TheOwnerOfAnotherUsersPageIsKept) {
  if (geteuid() != 0) GTEST_SKIP() << "Skipped: needs root to make a page of another owner";
  // Root owns the page; an unprivileged user who may write it and its folder saves it.
  ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
  ASSERT_EQ(chmod(cache.path().c_str(), 0777), 0);
  const std::string page = dir.write("page.htm", "old");
  ASSERT_EQ(chmod(page.c_str(), 0666), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    _exit(writeFileSafely(page, "new") == WriteOutcome::Written ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  struct stat info {};
  ASSERT_EQ(stat(page.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 0u);
  EXPECT_EQ(info.st_gid, 0u);
  EXPECT_EQ(info.st_mode & 0777, 0666u);
  EXPECT_EQ(dir.read("page.htm"), "new");
}

TEST_F(CarefulSave, ARenamedPageKeepsItsModeAndAPrivateOneStaysPrivate) {
  const std::string page = dir.write("page.htm", "old");
  ASSERT_EQ(chmod(page.c_str(), 0600), 0);
  const ino_t before = inodeOf(page);
  EXPECT_EQ(writeFileSafely(page, "new"), WriteOutcome::Written);
  EXPECT_NE(inodeOf(page), before) << "a page of one link in a writable folder is renamed";
  struct stat info {};
  ASSERT_EQ(stat(page.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(writeFileSafely(dir.file("private.data"), "x", 0600), WriteOutcome::Written);
  ASSERT_EQ(stat(dir.file("private.data").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(CarefulSave, TheTemporaryFileIsNeverWiderThanThePage) {
  const std::string page = dir.write("page.htm", "secret");
  ASSERT_EQ(chmod(page.c_str(), 0600), 0);
  const mode_t oldMask = umask(022);
  mode_t seen = 0;
  setTemporaryFileHook([&](const std::string &temp) {
    struct stat info {};
    if (stat(temp.c_str(), &info) == 0) seen = info.st_mode & 0777;
  });
  const WriteOutcome outcome = writeFileSafely(page, "new secret");
  setTemporaryFileHook({});
  umask(oldMask);
  EXPECT_EQ(outcome, WriteOutcome::Written);
  EXPECT_EQ(seen, 0600u) << "the new text must not be readable by others for a moment";
}
