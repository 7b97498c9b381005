// The demo project a new user finds in the local project list.
#include "app/first_start.h"
#include "app_test_support.h"
#include "storage/local_project_store.h"

#include <filesystem>
#include <gtest/gtest.h>

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
