#include "setting_folder.h"
#include "storage/current_projects.h"
#include "storage/local_project_store.h"

#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

using namespace linkmoor;
using namespace std::string_literals;

namespace {
class LocalStoreTest : public linkmoor::test::SettingFolderTest {
protected:
  static std::unique_ptr<LocalProject> project(const std::string &name, const std::string &root) {
    auto p = std::make_unique<LocalProject>();
    p->projectName = name;
    p->rootPath = root;
    return p;
  }
  const std::string file = "SettingLocal.data";
};
} // namespace

TEST_F(LocalStoreTest, ANewStoreIsEmptyWithNoSelection) {
  LocalProjectStore store;
  EXPECT_EQ(store.count(), 0);
  EXPECT_EQ(store.selectedIndex(), -1);
  EXPECT_EQ(store.get(0), nullptr);
  EXPECT_EQ(store.get(-1), nullptr);
  EXPECT_EQ(store.filePath(), setting(file));
}

TEST_F(LocalStoreTest, SavesOneProjectAsThe17ByteExample) {
  LocalProjectStore store;
  store.append(project("Site", "C:/www"));
  store.setSelectedIndex(0);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(file), "\x00\x00\x00\x00"
                       "Site"
                       "\xB6"
                       "C:/www"
                       "\xB6"
                       "\xA5"s);
  EXPECT_EQ(get(file).size(), 17u);
  EXPECT_EQ(modeOf(setting(file)), 0600);
}

TEST_F(LocalStoreTest, LoadsThe17ByteExample) {
  put(file, "\x00\x00\x00\x00"
            "Site"
            "\xB6"
            "C:/www"
            "\xB6"
            "\xA5"s);
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  ASSERT_EQ(store.count(), 1);
  EXPECT_EQ(store.get(0)->projectName, "Site");
  EXPECT_EQ(store.get(0)->rootPath, "C:/www");
  EXPECT_EQ(store.selectedIndex(), 0);
}

TEST_F(LocalStoreTest, AnEmptyListIsFourBytesAndLoadsAsNoChange) {
  LocalProjectStore store;
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(file), "\xFF\xFF\xFF\xFF"s);
  LocalProjectStore again;
  again.append(project("Kept", "/k"));
  again.setSelectedIndex(5);
  EXPECT_FALSE(again.load());
  EXPECT_EQ(again.count(), 1);
  EXPECT_EQ(again.selectedIndex(), 5);
}

TEST_F(LocalStoreTest, SaveWritesTheIndexAsItStandsAndThenPullsItIntoRange) {
  LocalProjectStore store;
  store.append(project("a", "1"));
  store.append(project("b", "2"));
  store.setSelectedIndex(7);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(file), "\x07\x00\x00\x00"
                       "a\xB6"
                       "1\xB6\xA5"
                       "b\xB6"
                       "2\xB6\xA5"s);
  EXPECT_EQ(store.selectedIndex(), 1);
  store.setSelectedIndex(-300);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(file).substr(0, 4), "\xD4\xFE\xFF\xFF"s);
  EXPECT_EQ(store.selectedIndex(), 0);
}

TEST_F(LocalStoreTest, LoadPullsTheStoredIndexIntoRange) {
  const std::string records = "a\xB6"
                              "1\xB6\xA5"
                              "b\xB6"
                              "2\xB6\xA5"
                              "c\xB6"
                              "3\xB6\xA5";
  put(file, "\x07\x00\x00\x00"s + records);
  LocalProjectStore high;
  ASSERT_TRUE(high.load());
  EXPECT_EQ(high.count(), 3);
  EXPECT_EQ(high.selectedIndex(), 2);
  put(file, "\xFF\xFF\xFF\xFF"s + records);
  LocalProjectStore none;
  ASSERT_TRUE(none.load());
  EXPECT_EQ(none.selectedIndex(), 0);
}

TEST_F(LocalStoreTest, ANameAloneLoadsWithAnEmptyRootAndShortRecordsCount) {
  put(file, "\x00\x00\x00\x00"
            "Only\xB6\xA5"
            "\xA5"s);
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  ASSERT_EQ(store.count(), 2);
  EXPECT_EQ(store.get(0)->projectName, "Only");
  EXPECT_EQ(store.get(0)->rootPath, "");
  EXPECT_EQ(store.get(1)->projectName, "") << "a bare record end is a record of defaults";
}

TEST_F(LocalStoreTest, AMarkerByteInANameBreaksTheRecordOnTheNextLoad) {
  LocalProjectStore store;
  store.append(project("a\xB6z", "/root"));
  ASSERT_TRUE(store.save());
  LocalProjectStore loaded;
  ASSERT_TRUE(loaded.load());
  ASSERT_EQ(loaded.count(), 1);
  EXPECT_EQ(loaded.get(0)->projectName, "a");
  EXPECT_EQ(loaded.get(0)->rootPath, "z");
}

TEST_F(LocalStoreTest, LoadingTwiceDoublesTheList) {
  put(file, "\x00\x00\x00\x00"
            "Site\xB6"
            "C:/www\xB6\xA5"s);
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  ASSERT_TRUE(store.load());
  EXPECT_EQ(store.count(), 2);
}

TEST_F(LocalStoreTest, AMissingFileIsCreatedEmptyAndPrivate) {
  LocalProjectStore store;
  EXPECT_FALSE(store.load());
  EXPECT_EQ(store.count(), 0);
  EXPECT_EQ(store.selectedIndex(), -1);
  EXPECT_EQ(get(file), "");
  EXPECT_EQ(modeOf(setting(file)), 0600);
}

TEST_F(LocalStoreTest, WithoutTheSettingFolderLoadAndSaveFailSilently) {
  dropSettingFolder();
  LocalProjectStore store;
  EXPECT_FALSE(store.load());
  store.append(project("Lost", "/x"));
  store.setSelectedIndex(4);
  EXPECT_FALSE(store.save());
  EXPECT_EQ(store.selectedIndex(), 4) << "not clamped when no file could be made";
  EXPECT_FALSE(std::filesystem::exists(dir.file("Setting")));
}

TEST_F(LocalStoreTest, SaveReplacesTheFileWholeAndLeavesNothingBeside) {
  put(file, "\x00\x00\x00\x00"
            "Old\xB6/old\xB6\xA5"
            "Older\xB6/older\xB6\xA5"s);
  chmod(setting(file).c_str(), 0644);
  LocalProjectStore store;
  store.append(project("N", "/n"));
  store.setSelectedIndex(0);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(file), "\x00\x00\x00\x00"
                       "N\xB6/n\xB6\xA5"s)
      << "shorter list, no old tail";
  EXPECT_EQ(modeOf(setting(file)), 0600);
  EXPECT_EQ(settingNames(), std::vector<std::string>{file});
}

TEST_F(LocalStoreTest, AFailedWriteLeavesTheOldListWhole) {
  const std::string old = "\x00\x00\x00\x00"
                          "Old\xB6/old\xB6\xA5"s;
  put(file, old);
  LocalProjectStore store;
  store.append(project(std::string(5000, 'n'), "/n"));
  // Files may not grow beyond 2000 bytes for a moment: the write fails midway.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 2000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool saved_ok = store.save();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(get(file), old);
  EXPECT_EQ(settingNames(), std::vector<std::string>{file}) << "the temporary file is gone";
}

TEST_F(LocalStoreTest, NameTakenIgnoresAsciiCaseAndTheSkippedRecord) {
  LocalProjectStore store;
  store.append(project("MySite", "/a"));
  store.append(project("\xC3\x84rger", "/b")); // "Ärger" in UTF-8
  EXPECT_TRUE(store.nameTaken(-1, "mysite"));
  EXPECT_TRUE(store.nameTaken(1, "MYSITE"));
  EXPECT_FALSE(store.nameTaken(0, "mysite"));
  EXPECT_FALSE(store.nameTaken(-1, "mysite2"));
  EXPECT_TRUE(store.nameTaken(-1, "\xC3\x84RGER"));
  EXPECT_FALSE(store.nameTaken(-1, "\xC3\xA4rger")) << "multi-byte characters compare whole";
}

TEST_F(LocalStoreTest, InsertFirstAndRemoveKeepTheOrder) {
  LocalProjectStore store;
  store.append(project("b", "2"));
  store.insertFirst(project("a", "1"));
  store.append(project("c", "3"));
  store.removeAt(1);
  ASSERT_EQ(store.count(), 2);
  EXPECT_EQ(store.get(0)->projectName, "a");
  EXPECT_EQ(store.get(1)->projectName, "c");
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(file), "\xFF\xFF\xFF\xFF"
                       "a\xB6"
                       "1\xB6\xA5"
                       "c\xB6"
                       "3\xB6\xA5"s);
}

TEST(LocalProject, NormaliseTurnsBackslashesAndDropsTrailingSlashes) {
  LocalProject p;
  p.rootPath = "C:\\www\\site\\/\\";
  p.normalise();
  EXPECT_EQ(p.rootPath, "C:/www/site");
  p.rootPath = "/";
  p.normalise();
  EXPECT_EQ(p.rootPath, "");
}

TEST(CurrentProjects, StartWithTheDefaultsAndTakeCopies) {
  EXPECT_EQ(CurrentRemoteProject.port, 21);
  LocalProject chosen;
  chosen.projectName = "Site";
  chosen.rootPath = "/srv/www";
  CurrentLocalProject.copy(chosen);
  EXPECT_EQ(CurrentLocalProject.rootPath, "/srv/www");
  CurrentLocalProject = LocalProject();
}
