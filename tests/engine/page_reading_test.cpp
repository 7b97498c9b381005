#include "engine/page_reading.h"
#include "storage/file_name_text.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace linkmoor;
using linkmoor::test::TempDir;

TEST(PageReading, AFifoBehindAPageNameIsNeverOpened) {
  TempDir dir;
  const std::string fifo = dir.file("pipe.htm");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, fifo.c_str(), IN_OPEN), 0);
  ByteBuffer buffer;
  std::int32_t size = -1;
  EXPECT_EQ(readPage(fifo, buffer, size), PageRead::CannotOpen);
  EXPECT_EQ(size, 0);
  char events[4096];
  const ssize_t got = read(watch, events, sizeof events);
  close(watch);
  EXPECT_LT(got, 0) << "the FIFO was opened before its type was looked at";
}

TEST(PageReading, ALargeBinaryFileIsToldFromItsFirstBlock) {
  TempDir dir;
  const std::string path = dir.file("huge.htm");
  // A sparse file of 64 MiB of zero bytes: takes no room on the disk.
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, 64LL << 20), 0);
  close(fd);
  ByteBuffer buffer;
  std::int32_t size = 0;
  EXPECT_EQ(readPage(path, buffer, size), PageRead::Binary);
  EXPECT_EQ(buffer.size(), 0) << "no memory was taken for the whole file";
}

TEST(PageReading, ABinaryFileJustBelowTheLimitIsToldWithoutReadingIt) {
  TempDir dir;
  const std::string path = dir.file("disk.img.htm");
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, kLargestPage), 0);
  close(fd);
  ByteBuffer buffer;
  std::int32_t size = 0;
  EXPECT_EQ(readPage(path, buffer, size), PageRead::Binary);
  EXPECT_EQ(buffer.size(), 0);
  EXPECT_EQ(size, kLargestPage);
}

TEST(PageReading, TextAcrossTheFirstBlockIsReadWhole) {
  TempDir dir;
  std::string text(200000, 'x');
  text[150000] = 'y';
  dir.write("long.htm", text);
  ByteBuffer buffer;
  std::int32_t size = 0;
  ASSERT_EQ(readPage(dir.file("long.htm"), buffer, size), PageRead::Text);
  EXPECT_EQ(size, 200000);
  EXPECT_EQ(std::string(buffer.data(), static_cast<std::size_t>(size)), text);
  EXPECT_EQ(buffer.data()[size], '\0');
  std::string late = text;
  late[180000] = '\0';
  dir.write("late.htm", late);
  EXPECT_EQ(readPage(dir.file("late.htm"), buffer, size), PageRead::Binary);
}

TEST(PageReading, ANameThatIsNotUtf8IsOpenedFromItsCarriedForm) {
  TempDir dir;
  dir.write("caf\xE9.htm", "<p>caf\xE9</p>");
  ByteBuffer buffer;
  std::int32_t size = 0;
  EXPECT_EQ(readPage(dir.file(carriedText("caf\xE9.htm")), buffer, size), PageRead::Text);
  EXPECT_EQ(size, 11);
  EXPECT_EQ(readPage(dir.file("caf\xE9.htm"), buffer, size), PageRead::Text);
}
