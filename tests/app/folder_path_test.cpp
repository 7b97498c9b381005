// Creating a folder path with every missing folder on the way.
#include "app/folder_path.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

namespace fs = std::filesystem;

TEST(CreateFolderPath, CreatesEveryMissingLevel) {
  test::TempDir dir;
  const std::string target = dir.path() + "/site/www/docs";
  EXPECT_TRUE(createFolderPath(target));
  EXPECT_TRUE(fs::is_directory(target));
}

TEST(CreateFolderPath, ExistingFolderSucceeds) {
  test::TempDir dir;
  EXPECT_TRUE(createFolderPath(dir.path()));
  EXPECT_TRUE(createFolderPath("/"));
}

TEST(CreateFolderPath, BackslashesSeparateToo) {
  test::TempDir dir;
  std::string target = dir.path() + "\\a\\b";
  EXPECT_TRUE(createFolderPath(target));
  EXPECT_TRUE(fs::is_directory(dir.path() + "/a/b"));
}

TEST(CreateFolderPath, FileOnTheWayFails) {
  test::TempDir dir;
  dir.write("taken", "x");
  EXPECT_FALSE(createFolderPath(dir.path() + "/taken/below"));
  EXPECT_FALSE(createFolderPath(dir.path() + "/taken"));
  EXPECT_FALSE(fs::exists(dir.path() + "/taken/below"));
}

TEST(CreateFolderPath, EmptyPathFails) { EXPECT_FALSE(createFolderPath("")); }

TEST(CreateFolderPath, RelativePathNeedsAnExistingFirstFolder) {
  test::TempDir dir;
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  EXPECT_FALSE(createFolderPath("missing/inner"));
  fs::create_directory("here");
  EXPECT_TRUE(createFolderPath("here/inner/deeper"));
  EXPECT_TRUE(createFolderPath("here"));
  EXPECT_TRUE(fs::is_directory(dir.path() + "/here/inner/deeper"));
  fs::current_path(before);
}

TEST(CreateFolderPath, DoubledAndTrailingSeparatorsArePassedOver) {
  test::TempDir dir;
  EXPECT_TRUE(createFolderPath(dir.path() + "//x///y/"));
  EXPECT_TRUE(fs::is_directory(dir.path() + "/x/y"));
}

TEST(CreateFolderPath, LinkToAFolderCountsAsAFolder) {
  test::TempDir dir;
  fs::create_directory(dir.path() + "/real");
  fs::create_directory_symlink(dir.path() + "/real", dir.path() + "/link");
  EXPECT_TRUE(createFolderPath(dir.path() + "/link/new"));
  EXPECT_TRUE(fs::is_directory(dir.path() + "/real/new"));
}

} // namespace
} // namespace linkmoor
