#include "setting_folder.h"
#include "storage/local_project_store.h"
#include "storage/remote_project_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace linkmoor;
using namespace std::string_literals;

namespace {
class ProjectFileBadInput : public linkmoor::test::SettingFolderTest {
protected:
  const std::string local = "SettingLocal.data";
  const std::string remote = "SettingRemote.data";
  const std::string two = "\x01\x00\x00\x00"
                          "a\xB6"
                          "1\xB6\xA5"
                          "b\xB6"
                          "2\xB6\xA5"s;
};
} // namespace

TEST_F(ProjectFileBadInput, EmptyAndTinyFilesLoadAsNoChange) {
  for (const std::string &bytes : {""s, "\x01"s, "\x01\x00\x00"s, "\x01\x00\x00\x00"s}) {
    put(local, bytes);
    LocalProjectStore store;
    EXPECT_FALSE(store.load()) << bytes.size();
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(store.selectedIndex(), -1);
    EXPECT_EQ(get(local), bytes) << "the file is left alone";
  }
}

TEST_F(ProjectFileBadInput, ATruncatedFileLoadsTheCompleteRecordsBeforeTheBreak) {
  for (std::size_t cut = 5; cut < two.size(); ++cut) {
    put(local, two.substr(0, cut));
    LocalProjectStore store;
    ASSERT_TRUE(store.load());
    EXPECT_EQ(store.count(), cut < 9 ? 0 : 1) << cut;
    EXPECT_EQ(store.selectedIndex(), cut < 9 ? -1 : 0);
  }
}

TEST_F(ProjectFileBadInput, BytesBehindTheLastRecordAndAfterANulAreIgnored) {
  put(local, two + "trailing\xB6 junk");
  LocalProjectStore tail;
  ASSERT_TRUE(tail.load());
  EXPECT_EQ(tail.count(), 2);

  put(local, "\x00\x00\x00\x00"
             "a\xB6"
             "1\xB6\xA5"
             "b\x00"
             "c\xB6"
             "2\xB6\xA5"
             "d\xB6\xA5"s);
  LocalProjectStore nul;
  ASSERT_TRUE(nul.load());
  ASSERT_EQ(nul.count(), 1) << "the NUL ends the records";
  EXPECT_EQ(nul.get(0)->projectName, "a");
}

TEST_F(ProjectFileBadInput, GarbageLoadsWithoutHarm) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(4 + random() % 5000, '\0');
    for (char &c : bytes)
      c = static_cast<char>(random());
    for (std::size_t i = 4; i < bytes.size(); ++i)
      if (bytes[i] == '\0') bytes[i] = '\xA5'; // keep the text going to the end
    put(remote, bytes);
    std::size_t ends = 0;
    for (std::size_t i = 4; i < bytes.size(); ++i)
      ends += bytes[i] == '\xA5';
    RemoteProjectStore store;
    ASSERT_TRUE(store.load() || bytes.size() == 4);
    EXPECT_EQ(store.count(), static_cast<int>(ends));
    EXPECT_GE(store.selectedIndex(), ends ? 0 : -1);
    EXPECT_LT(store.selectedIndex(), store.count() > 0 ? store.count() : 0);
    ASSERT_TRUE(store.save());
  }
}

TEST_F(ProjectFileBadInput, NonUtf8TextsLoadByteForByte) {
  put(local, "\x00\x00\x00\x00"
             "\xFF\xFE\x80"
             "\xB6"
             "/caf\xE9"
             "\xB6\xA5"s);
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  EXPECT_EQ(store.get(0)->projectName, "\xFF\xFE\x80");
  EXPECT_EQ(store.get(0)->rootPath, "/caf\xE9");
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(local), "\x00\x00\x00\x00"
                        "\xFF\xFE\x80"
                        "\xB6"
                        "/caf\xE9"
                        "\xB6\xA5"s);
}

TEST_F(ProjectFileBadInput, A100MegabyteFileLoads) {
  std::string bytes = "\x00\x00\x00\x00"
                      "Big\xB6/big\xB6\xA5"s;
  bytes.append(100u << 20, 'z');
  bytes += "\xB6"
           "tail\xB6\xA5";
  put(local, bytes);
  bytes.clear();
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  ASSERT_EQ(store.count(), 2);
  EXPECT_EQ(store.get(0)->projectName, "Big");
  EXPECT_EQ(store.get(1)->projectName.size(), 100u << 20);
  EXPECT_EQ(store.get(1)->rootPath, "tail");
}

TEST_F(ProjectFileBadInput, AFileBeyondTwoGigabytesIsNotRead) {
  put(remote, two);
  int fd = open(setting(remote).c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, off_t(3) << 30), 0); // sparse: takes no space
  close(fd);
  RemoteProjectStore store;
  EXPECT_FALSE(store.load());
  EXPECT_EQ(store.count(), 0);
}

TEST_F(ProjectFileBadInput, ADirectoryInPlaceOfTheFileFailsBothWays) {
  std::filesystem::create_directory(setting(local));
  LocalProjectStore store;
  EXPECT_FALSE(store.load());
  store.append(std::make_unique<LocalProject>());
  EXPECT_FALSE(store.save());
  EXPECT_TRUE(std::filesystem::is_directory(setting(local)));
  EXPECT_EQ(settingNames(), std::vector<std::string>{local}) << "no temporary file is left";
}

TEST_F(ProjectFileBadInput, AnUnreadableFileIsNeverEmptied) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  put(local, two);
  chmod(setting(local).c_str(), 0200);
  LocalProjectStore store;
  EXPECT_FALSE(store.load());
  chmod(setting(local).c_str(), 0600);
  EXPECT_EQ(get(local), two);
}

TEST_F(ProjectFileBadInput, SavingThroughASymbolicLinkReplacesItsTarget) {
  std::string target = dir.write("elsewhere/list.data", two);
  ASSERT_EQ(symlink(target.c_str(), setting(local).c_str()), 0);
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  store.removeAt(0);
  ASSERT_TRUE(store.save());
  EXPECT_TRUE(std::filesystem::is_symlink(setting(local)));
  EXPECT_EQ(dir.read("elsewhere/list.data"), "\x01\x00\x00\x00"
                                             "b\xB6"
                                             "2\xB6\xA5"s);
}
