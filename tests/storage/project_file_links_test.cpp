// The project files are saved by the careful writer: a hard-linked list keeps its
// links, and a list in a folder the user may not write is still saved.

#include "setting_folder.h"
#include "storage/local_project_store.h"
#include "storage/remote_project_store.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace linkmoor;

namespace {

class ProjectFileLinks : public test::SettingFolderTest {
protected:
  void SetUp() override {
    test::SettingFolderTest::SetUp();
    setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_CACHE_HOME");
    test::SettingFolderTest::TearDown();
  }
  static ino_t inodeOf(const std::string &path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
  }
  test::TempDir cache;
};

} // namespace

TEST_F(ProjectFileLinks, AHardLinkedLocalListKeepsItsLinks) {
  put("SettingLocal.data", std::string("\xFF\xFF\xFF\xFF", 4));
  const std::string file = setting("SettingLocal.data");
  const std::string twin = dir.file("twin.data");
  ASSERT_EQ(link(file.c_str(), twin.c_str()), 0);
  const ino_t before = inodeOf(file);
  LocalProjectStore store;
  auto project = std::make_unique<LocalProject>();
  project->projectName = "Site";
  project->rootPath = "/srv/www";
  store.insertFirst(std::move(project));
  store.setSelectedIndex(0);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(inodeOf(file), before);
  EXPECT_EQ(dir.read("twin.data"), get("SettingLocal.data"));
  EXPECT_EQ(get("SettingLocal.data"), std::string("\0\0\0\0Site\xB6/srv/www\xB6\xA5", 19));
  EXPECT_EQ(modeOf(file), 0600);
}

TEST_F(ProjectFileLinks, ARemoteListInAFolderTheUserMayNotWriteIsSaved) {
  if (geteuid() == 0) GTEST_SKIP() << "Skipped: permissions do not bind a privileged user";
  RemoteProjectStore first;
  first.insertFirst(std::make_unique<RemoteProject>());
  first.setSelectedIndex(0);
  ASSERT_TRUE(first.save());
  chmod(dir.file("Setting").c_str(), 0555);
  RemoteProjectStore store;
  auto project = std::make_unique<RemoteProject>();
  project->projectName = "Shop";
  store.insertFirst(std::move(project));
  store.setSelectedIndex(0);
  const bool saved = store.save();
  chmod(dir.file("Setting").c_str(), 0755);
  EXPECT_TRUE(saved);
  EXPECT_EQ(get("SettingRemote.data").substr(4, 5), "Shop\xB6");
}
