// The demo project a new user finds in the local project list.
#include "app/first_start.h"
#include "app_test_support.h"
#include "storage/local_project_store.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace linkmoor {
namespace {

class FirstStartTest : public test::AppTest {};

TEST_F(FirstStartTest, WritesTheDemoProjectInTheProjectFileFormat) {
  const std::string root = dir_.path() + "/demo/./site/";
  EXPECT_EQ(seedLocalProject("Demo site", root), SeedResult::Written);
  const std::string expected =
      std::string("\0\0\0\0", 4) + "Demo site\xB6" + dir_.path() + "/demo/site\xB6\xA5";
  EXPECT_EQ(dir_.read("Setting/SettingLocal.data"), expected);
}

TEST_F(FirstStartTest, NeverReplacesAnExistingList) {
  dir_.write("Setting/SettingLocal.data", std::string("\0\0\0\0", 4));
  EXPECT_EQ(seedLocalProject("Demo site", "/x"), SeedResult::AlreadyThere);
  EXPECT_EQ(dir_.read("Setting/SettingLocal.data"), std::string("\0\0\0\0", 4));
}

TEST_F(FirstStartTest, WithoutASettingFolderWritesNothing) {
  std::filesystem::remove_all(dir_.path() + "/Setting");
  EXPECT_EQ(seedLocalProject("Demo site", "/x"), SeedResult::NoSettingFolder);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "/Setting"));
}

TEST_F(FirstStartTest, RelativeRootBecomesAbsolute) {
  ASSERT_EQ(seedLocalProject("Demo site", "resources/demo-site"), SeedResult::Written);
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  EXPECT_EQ(store.get(0)->rootPath.front(), '/');
}

} // namespace
} // namespace linkmoor

namespace linkmoor {
namespace {

// The program folder was copied elsewhere: the demo project follows it to the copy's
// own demo site; other projects are left as they are.
TEST_F(FirstStartTest, ACopiedProgramFolderFindsItsOwnDemoSite) {
  std::filesystem::create_directories(dir_.path() + "/demo-site");
  std::filesystem::create_directories(dir_.path() + "/elsewhere/demo-site");
  {
    LocalProjectStore store;
    const std::string kept = dir_.path() + "/elsewhere/demo-site";
    const std::vector<std::pair<std::string, std::string>> projects = {
        {"Demo site", "/old/install/demo-site"}, {"Gone", "/old/www"}, {"Kept", kept}};
    for (const auto &[name, root] : projects) {
      auto project = std::make_unique<LocalProject>();
      project->projectName = name;
      project->rootPath = root;
      store.insertFirst(std::move(project));
    }
    ASSERT_TRUE(store.save());
  }
  EXPECT_EQ(repairDemoProjects(), 1);
  LocalProjectStore store;
  ASSERT_TRUE(store.load());
  ASSERT_EQ(store.count(), 3);
  EXPECT_EQ(store.get(0)->rootPath, dir_.path() + "/elsewhere/demo-site");
  EXPECT_EQ(store.get(1)->rootPath, "/old/www");
  EXPECT_EQ(store.get(2)->rootPath, dir_.path() + "/demo-site");
  EXPECT_EQ(repairDemoProjects(), 0) << "nothing left to repair";
}

TEST_F(FirstStartTest, RepairNeedsTheDemoCopyAndNeverCreatesAList) {
  EXPECT_EQ(repairDemoProjects(), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "/Setting/SettingLocal.data"));
  ASSERT_EQ(seedLocalProject("Demo site", "/old/install/demo-site"), SeedResult::Written);
  const std::string before = dir_.read("Setting/SettingLocal.data");
  EXPECT_EQ(repairDemoProjects(), 0) << "no demo copy beside the program";
  EXPECT_EQ(dir_.read("Setting/SettingLocal.data"), before);
}

} // namespace
} // namespace linkmoor
