#include "storage/site_walk.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace linkmoor {
namespace {

using test::TempDir;

const WalkEntry *child(const WalkEntry &folder, const std::string &name) {
  for (const WalkEntry &entry : folder.children)
    if (entry.name == name) return &entry;
  return nullptr;
}

TEST(SiteWalkTest, PlainFilesNamedByTheListingAreNotLookedAtOneByOne) {
  TempDir dir;
  for (int i = 0; i < 40; ++i)
    dir.write("site/page" + std::to_string(i) + ".htm", "x");
  dir.write("site/sub/inner.htm", "x");
  WalkEntry top;
  WalkCounts counts;
  ASSERT_TRUE(walkSiteFolder(dir.file("site"), WalkOrder::Bytes, top, &counts));
  ASSERT_EQ(top.children.size(), 41u);
  EXPECT_EQ(top.children[0].name, "sub");
  EXPECT_EQ(top.children[0].kind, WalkKind::Folder);
  for (std::size_t i = 1; i < top.children.size(); ++i) {
    EXPECT_EQ(top.children[i].kind, WalkKind::File);
    EXPECT_FALSE(top.children[i].link);
  }
  // At most the folder and one file per folder, whatever the listing's order.
  EXPECT_LE(counts.lookups, 4u);
}

TEST(SiteWalkTest, LinksFoldersAndOtherKindsAreStillLookedAt) {
  TempDir dir;
  const std::string page = dir.write("site/a.htm", "x");
  dir.write("site/b.htm", "x");
  dir.write("site/folder/c.htm", "x");
  std::filesystem::create_symlink(page, dir.file("site/alias.htm"));
  std::filesystem::create_symlink(dir.file("site/gone.htm"), dir.file("site/dangling.htm"));
  std::filesystem::create_symlink(dir.file("site/folder"), dir.file("site/folderlink"));
  std::filesystem::create_symlink(dir.file("site"), dir.file("site/folder/loop"));
  std::filesystem::create_symlink(dir.path(), dir.file("site/outside"));
  ASSERT_EQ(mkfifo(dir.file("site/pipe").c_str(), 0644), 0);
  WalkEntry top;
  ASSERT_TRUE(walkSiteFolder(dir.file("site"), WalkOrder::Bytes, top));

  const WalkEntry *alias = child(top, "alias.htm");
  ASSERT_NE(alias, nullptr);
  EXPECT_EQ(alias->kind, WalkKind::File);
  EXPECT_TRUE(alias->link);
  const WalkEntry *dangling = child(top, "dangling.htm");
  ASSERT_NE(dangling, nullptr);
  EXPECT_TRUE(dangling->dangling);
  const WalkEntry *folderLink = child(top, "folderlink");
  ASSERT_NE(folderLink, nullptr);
  EXPECT_EQ(folderLink->kind, WalkKind::Folder);
  EXPECT_TRUE(folderLink->link);
  const WalkEntry *folder = child(top, "folder");
  ASSERT_NE(folder, nullptr);
  const WalkEntry *loop = child(*folder, "loop");
  ASSERT_NE(loop, nullptr);
  EXPECT_TRUE(loop->loop);
  EXPECT_EQ(child(top, "outside"), nullptr) << "a link out of the root is left out";
  const WalkEntry *pipe = child(top, "pipe");
  ASSERT_NE(pipe, nullptr);
  EXPECT_EQ(pipe->kind, WalkKind::File);
  EXPECT_FALSE(pipe->link);
  const WalkEntry *b = child(top, "b.htm");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->kind, WalkKind::File);
  EXPECT_FALSE(b->link);
}

TEST(SiteWalkTest, AFolderThatCannotBeSearchedListsItsFilesAsUnreadable) {
  TempDir dir;
  dir.write("site/locked/a.htm", "x");
  dir.write("site/locked/b.htm", "x");
  ASSERT_EQ(chmod(dir.file("site/locked").c_str(), S_IRUSR), 0);
  WalkEntry top;
  WalkCounts counts;
  const bool ok = walkSiteFolder(dir.file("site"), WalkOrder::Bytes, top, &counts);
  chmod(dir.file("site/locked").c_str(), S_IRWXU);
  if (geteuid() == 0) GTEST_SKIP() << "root searches folders whatever their permissions";
  ASSERT_TRUE(ok);
  const WalkEntry *locked = child(top, "locked");
  ASSERT_NE(locked, nullptr);
  ASSERT_EQ(locked->children.size(), 2u);
  for (const WalkEntry &entry : locked->children)
    EXPECT_EQ(entry.kind, WalkKind::Unreadable);
}

} // namespace
} // namespace linkmoor
