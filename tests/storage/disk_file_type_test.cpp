// A name that is not a regular file is refused before it is opened.

#include "storage/disk_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace linkmoor;

TEST(DiskFileType, AFifoIsRefusedWithoutBeingOpened) {
  test::TempDir dir;
  const std::string fifo = dir.file("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, fifo.c_str(), IN_OPEN), 0);
  DiskFile file;
  EXPECT_FALSE(file.openExisting(fifo, false));
  EXPECT_FALSE(file.openExisting(fifo, true));
  EXPECT_FALSE(file.isOpen());
  char events[4096];
  const ssize_t got = read(watch, events, sizeof events);
  close(watch);
  EXPECT_LT(got, 0) << "the FIFO was opened";
}

TEST(DiskFileType, ARegularFileAndALinkToOneStillOpen) {
  test::TempDir dir;
  const std::string page = dir.write("page.htm", "x");
  ASSERT_EQ(symlink("page.htm", dir.file("link.htm").c_str()), 0);
  DiskFile file;
  EXPECT_TRUE(file.openExisting(page, false));
  EXPECT_TRUE(file.openExisting(dir.file("link.htm"), true));
  EXPECT_FALSE(file.openExisting(dir.path(), false));
  EXPECT_FALSE(file.isOpen());
}
