#include "platform/disk_check.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace linkmoor {
namespace {

using test::TempDir;

bool runningAsRoot() { return geteuid() == 0; }

class DiskCheckTest : public ::testing::Test {
protected:
  TempDir dir;
};

TEST_F(DiskCheckTest, FilesAndFoldersThatExistAreFound) {
  std::string page = dir.write("site/page.htm", "<html></html>");
  dir.write("site/empty.htm", "");
  EXPECT_TRUE(diskTargetExists(page));
  EXPECT_TRUE(diskTargetExists(dir.file("site/empty.htm")));
  EXPECT_TRUE(diskTargetExists(dir.file("site")));
  EXPECT_TRUE(diskTargetExists(dir.file("site/")));
  EXPECT_TRUE(diskTargetExists(dir.path()));
}

TEST_F(DiskCheckTest, MissingTargetsAreNotFound) {
  dir.write("site/page.htm", "x");
  EXPECT_FALSE(diskTargetExists(dir.file("site/other.htm")));
  EXPECT_FALSE(diskTargetExists(dir.file("nofolder/page.htm")));
  EXPECT_FALSE(diskTargetExists(dir.file("site/page.htm/x")));
  EXPECT_FALSE(diskTargetExists(""));
}

TEST_F(DiskCheckTest, PlainPathsAreTakenLiterally) {
  dir.write("100%25.htm", "x");
  dir.write("my page.htm", "x");
  EXPECT_TRUE(diskTargetExists(dir.file("100%25.htm")));
  EXPECT_FALSE(diskTargetExists(dir.file("100%.htm")));
  EXPECT_FALSE(diskTargetExists(dir.file("my%20page.htm")));
  // Cutting off an anchor or query is the caller's work.
  EXPECT_FALSE(diskTargetExists(dir.file("my page.htm#top")));
  EXPECT_FALSE(diskTargetExists(dir.file("my page.htm?x=1")));
}

TEST_F(DiskCheckTest, APlainPathCheckNeverReadsAUrl) {
  dir.write("file:notes.htm", "x");
  const std::string cwd = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.path());
  EXPECT_TRUE(diskPathExists("file:notes.htm"));
  EXPECT_FALSE(diskPathExists("file:///nonexistent/linkmoordemo.htm"));
  EXPECT_FALSE(diskTargetExists("file:notes.htm")) << "read as a URL it names another file";
  std::filesystem::current_path(cwd);
}

TEST_F(DiskCheckTest, FileUrlFormsNameTheLocalFile) {
  std::string page = dir.write("docs/page.htm", "x");
  EXPECT_TRUE(diskTargetExists("file://" + page));
  EXPECT_TRUE(diskTargetExists("file://localhost" + page));
  EXPECT_TRUE(diskTargetExists("FILE://LocalHost" + page));
  EXPECT_TRUE(diskTargetExists("File:" + page));
  EXPECT_TRUE(diskTargetExists("file://" + dir.file("docs")));
  EXPECT_FALSE(diskTargetExists("file://" + dir.file("docs/other.htm")));
}

TEST_F(DiskCheckTest, FileUrlEscapesAreDecoded) {
  dir.write("my page.htm", "x");
  dir.write("caf\xE9.htm", "x");
  EXPECT_TRUE(diskTargetExists("file://" + dir.file("my%20page.htm")));
  EXPECT_TRUE(diskTargetExists("file://" + dir.file("my%20page%2ehtm")));
  EXPECT_TRUE(diskTargetExists("file://" + dir.file("caf%E9.htm")));
  EXPECT_TRUE(diskTargetExists("file://" + dir.file("caf%e9.htm")));
  EXPECT_FALSE(diskTargetExists("file://" + dir.file("my%2page.htm")));
}

TEST_F(DiskCheckTest, FileUrlsThatNameNoLocalFileAreNotFound) {
  std::string page = dir.write("page.htm", "x");
  EXPECT_FALSE(diskTargetExists("file://otherhost" + page));
  EXPECT_FALSE(diskTargetExists("file://"));
  EXPECT_FALSE(diskTargetExists("file:"));
  EXPECT_FALSE(diskTargetExists("file://localhost"));
  EXPECT_FALSE(diskTargetExists("file:relative/page.htm"));
  EXPECT_FALSE(diskTargetExists("file://" + page + "%00.txt"));
  EXPECT_FALSE(diskTargetExists("file:///nonexistent/linkmoor-demo.htm"));
}

TEST_F(DiskCheckTest, FifoIsAnsweredWithoutBlocking) {
  std::string fifo = dir.file("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  // No writer exists: opening this for reading normally waits for one.
  EXPECT_TRUE(diskTargetExists(fifo));
  EXPECT_TRUE(diskTargetExists("file://" + fifo));
}

TEST_F(DiskCheckTest, DeviceFilesAreFoundWithoutSideEffects) {
  EXPECT_TRUE(diskTargetExists("/dev/null"));
  EXPECT_TRUE(diskTargetExists("file:///dev/zero"));
  EXPECT_FALSE(diskTargetExists("/dev/linkmoor-no-such-device"));
}

TEST_F(DiskCheckTest, LinksAreFollowed) {
  std::string page = dir.write("page.htm", "x");
  std::filesystem::create_symlink(page, dir.file("alias.htm"));
  std::filesystem::create_symlink(dir.file("gone.htm"), dir.file("dangling.htm"));
  EXPECT_TRUE(diskTargetExists(dir.file("alias.htm")));
  EXPECT_FALSE(diskTargetExists(dir.file("dangling.htm")));
}

TEST_F(DiskCheckTest, UnreadableTargetsAreNotFound) {
  std::string page = dir.write("locked/page.htm", "x");
  std::string fifo = dir.file("locked/pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0), 0);
  ASSERT_EQ(chmod(page.c_str(), 0), 0);
  ASSERT_EQ(chmod(dir.file("locked").c_str(), S_IWUSR | S_IXUSR), 0);
  bool pageFound = diskTargetExists(page);
  bool folderFound = diskTargetExists(dir.file("locked"));
  bool fifoFound = diskTargetExists(fifo);
  chmod(dir.file("locked").c_str(), S_IRWXU);
  if (runningAsRoot()) GTEST_SKIP() << "root reads files whatever their permissions";
  EXPECT_FALSE(pageFound);
  EXPECT_FALSE(folderFound);
  EXPECT_FALSE(fifoFound);
}

TEST_F(DiskCheckTest, OverlongAndOddPathsGiveAResult) {
  EXPECT_FALSE(diskTargetExists("/" + std::string(1024 * 1024, 'a')));
  EXPECT_FALSE(diskTargetExists("file:///" + std::string(1024 * 1024, 'a')));
  EXPECT_FALSE(diskTargetExists(std::string("/tmp\0/x", 7)));
  EXPECT_FALSE(diskTargetExists(dir.file("\x01\x7F\xFF")));
  EXPECT_FALSE(diskTargetExists("  " + dir.path()));
}

// Counts the calls of the disk check and passes them on to the system's, or
// answers the permission test with `refusal` when that is set (a sandbox that
// does not allow the call).
struct CountingProbe {
  static inline int readable = 0, stats = 0, opens = 0, fstats = 0;
  static inline int refusal = 0;
  static void reset() { readable = stats = opens = fstats = refusal = 0; }
  static DiskProbe probe() {
    return DiskProbe{[](const char *path) {
                       ++readable;
                       if (refusal == 0) return systemDiskProbe().readable(path);
                       errno = refusal;
                       return -1;
                     },
                     [](const char *path, struct stat *info) {
                       ++stats;
                       return systemDiskProbe().stat(path, info);
                     },
                     [](const char *path) {
                       ++opens;
                       return systemDiskProbe().open(path);
                     },
                     [](int fd, struct stat *info) {
                       ++fstats;
                       return systemDiskProbe().fstat(fd, info);
                     }};
  }
};

TEST_F(DiskCheckTest, OneCallAnswersForFilesFoldersAndMissingNames) {
  CountingProbe::reset();
  const DiskProbe probe = CountingProbe::probe();
  std::string page = dir.write("site/page.htm", "x");
  ASSERT_EQ(mkfifo(dir.file("site/pipe").c_str(), 0644), 0);
  std::filesystem::create_symlink(page, dir.file("site/alias.htm"));
  EXPECT_TRUE(diskPathExists(page, probe));
  EXPECT_TRUE(diskPathExists(dir.file("site"), probe));
  EXPECT_TRUE(diskPathExists(dir.file("site/pipe"), probe));
  EXPECT_TRUE(diskPathExists(dir.file("site/alias.htm"), probe));
  EXPECT_FALSE(diskPathExists(dir.file("site/Page.htm"), probe)) << "names differ in case";
  EXPECT_FALSE(diskPathExists(dir.file("site/page.htm/x"), probe));
  EXPECT_EQ(CountingProbe::readable, 6);
  EXPECT_EQ(CountingProbe::stats + CountingProbe::opens + CountingProbe::fstats, 0);
}

TEST_F(DiskCheckTest, ARefusedPermissionTestFallsBackToOpening) {
  CountingProbe::reset();
  CountingProbe::refusal = EPERM;
  const DiskProbe probe = CountingProbe::probe();
  std::string page = dir.write("page.htm", "x");
  ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0644), 0);
  EXPECT_TRUE(diskPathExists(page, probe));
  EXPECT_TRUE(diskPathExists(dir.path(), probe));
  EXPECT_FALSE(diskPathExists(dir.file("gone.htm"), probe));
  EXPECT_FALSE(diskPathExists(dir.file("pipe"), probe)) << "a FIFO is never opened";
  EXPECT_EQ(CountingProbe::stats, 4);
  EXPECT_EQ(CountingProbe::opens, 2);
  EXPECT_EQ(CountingProbe::fstats, 2);
}

} // namespace
} // namespace linkmoor
