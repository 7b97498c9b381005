#include "storage/disk_file.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace linkmoor;
using linkmoor::test::TempDir;

namespace {
int modeOf(const std::string &path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 0777) : -1;
}
} // namespace

TEST(DiskFile, CreateNewFailsOnAnExistingFileAndHoldsNothing) {
  TempDir dir;
  std::string path = dir.write("a.txt", "keep");
  DiskFile file;
  EXPECT_FALSE(file.create(path, false));
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(dir.read("a.txt"), "keep");
  EXPECT_TRUE(file.create(dir.file("b.txt"), false));
  EXPECT_TRUE(file.isOpen());
}

TEST(DiskFile, CreateAlwaysEmptiesAnExistingFile) {
  TempDir dir;
  std::string path = dir.write("a.txt", "old content");
  DiskFile file;
  ASSERT_TRUE(file.create(path, true));
  EXPECT_EQ(file.size(), 0);
  ASSERT_TRUE(file.write("new", 3));
  file.close();
  EXPECT_EQ(dir.read("a.txt"), "new");
}

TEST(DiskFile, PrivateFilesAreReadableByTheOwnerAlone) {
  TempDir dir;
  DiskFile file;
  ASSERT_TRUE(file.create(dir.file("new.data"), false, FilePrivacy::OwnerOnly));
  EXPECT_EQ(modeOf(dir.file("new.data")), 0600);
  std::string old = dir.write("old.data", "x");
  chmod(old.c_str(), 0644);
  ASSERT_TRUE(file.create(old, true, FilePrivacy::OwnerOnly));
  EXPECT_EQ(modeOf(old), 0600) << "a replaced file is made private too";
}

TEST(DiskFile, OpenExistingRespectsTheAccessAsked) {
  TempDir dir;
  std::string path = dir.write("a.txt", "abc");
  DiskFile file;
  EXPECT_FALSE(file.openExisting(dir.file("missing.txt"), false));
  ASSERT_TRUE(file.openExisting(path, false));
  EXPECT_FALSE(file.write("x", 1)) << "read only";
  ASSERT_TRUE(file.openExisting(path, true)) << "a second open closes the first";
  EXPECT_TRUE(file.write("x", 1));
  file.close();
  EXPECT_EQ(dir.read("a.txt"), "xbc");
}

TEST(DiskFile, RefusesDirectoriesAndFifosWithoutBlocking) {
  TempDir dir;
  DiskFile file;
  EXPECT_FALSE(file.openExisting(dir.path(), false));
  EXPECT_FALSE(file.create(dir.path(), true));
  std::string fifo = dir.file("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(file.openExisting(fifo, false));
  EXPECT_FALSE(file.openExisting(fifo, true));
  EXPECT_FALSE(file.isOpen());
}

TEST(DiskFile, TwoWrappersShareOneFile) {
  TempDir dir;
  std::string path = dir.write("a.txt", "0123");
  DiskFile writer, reader;
  ASSERT_TRUE(writer.openExisting(path, true));
  ASSERT_TRUE(reader.openExisting(path, false));
  ASSERT_TRUE(writer.write("AB", 2));
  char got[5] = {};
  std::int32_t n = 0;
  ASSERT_TRUE(reader.read(got, 4, &n));
  EXPECT_EQ(n, 4);
  EXPECT_STREQ(got, "AB23");
}

TEST(DiskFile, WritesInPiecesOfAtMost1024Bytes) {
  TempDir dir;
  DiskFile file;
  ASSERT_TRUE(file.create(dir.file("w.bin"), true));
  std::vector<int> pieces;
  file.setPieceObserver([&](int n) { pieces.push_back(n); });
  std::string data(2500, '\0');
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(file.write(data.data(), 2500));
  EXPECT_EQ(pieces, (std::vector<int>{1024, 1024, 452}));
  pieces.clear();
  EXPECT_TRUE(file.write(data.data(), 0));
  EXPECT_TRUE(file.write(data.data(), -3));
  EXPECT_TRUE(pieces.empty());
  file.close();
  EXPECT_EQ(dir.read("w.bin"), data);
}

TEST(DiskFile, CloseKeepsTheSizeAndSetEndOfFileCuts) {
  TempDir dir;
  std::string path = dir.write("a.txt", "0123456789");
  DiskFile file;
  file.close(); // nothing open: nothing happens
  ASSERT_TRUE(file.openExisting(path, true));
  ASSERT_TRUE(file.seek(3, SeekOrigin::Begin));
  file.close();
  EXPECT_EQ(dir.read("a.txt"), "0123456789");
  ASSERT_TRUE(file.openExisting(path, true));
  ASSERT_TRUE(file.seek(-6, SeekOrigin::End));
  ASSERT_TRUE(file.write("ab", 2));
  ASSERT_TRUE(file.setEndOfFile());
  file.close();
  EXPECT_EQ(dir.read("a.txt"), "0123ab");
}

TEST(DiskFile, SeekReadAndSize) {
  TempDir dir;
  std::string path = dir.write("a.txt", "0123456789");
  DiskFile file;
  EXPECT_EQ(file.size(), 0) << "no file open";
  EXPECT_FALSE(file.seek(0, SeekOrigin::Begin));
  char buffer[16] = {};
  EXPECT_FALSE(file.read(buffer, 4));
  ASSERT_TRUE(file.openExisting(path, false));
  EXPECT_EQ(file.size(), 10);
  EXPECT_FALSE(file.seek(-1, SeekOrigin::Begin));
  ASSERT_TRUE(file.seek(4, SeekOrigin::Begin));
  ASSERT_TRUE(file.seek(2, SeekOrigin::Current));
  EXPECT_EQ(file.position(), 6);
  std::int32_t n = -1;
  ASSERT_TRUE(file.read(buffer, 16, &n));
  EXPECT_EQ(n, 4);
  EXPECT_STREQ(buffer, "6789");
  ASSERT_TRUE(file.read(buffer, 16, &n));
  EXPECT_EQ(n, 0) << "end of file";
}

TEST(DiskFile, TemporaryFilesArePrivateAndUnique) {
  TempDir dir;
  DiskFile a, b;
  std::string pathA, pathB;
  ASSERT_TRUE(a.createTemporary(dir.file("list.data."), pathA));
  ASSERT_TRUE(b.createTemporary(dir.file("list.data."), pathB));
  EXPECT_NE(pathA, pathB);
  EXPECT_EQ(pathA.rfind(dir.file("list.data."), 0), 0u);
  EXPECT_EQ(modeOf(pathA), 0600);
  EXPECT_FALSE(a.createTemporary(dir.file("missing/list."), pathA));
}
