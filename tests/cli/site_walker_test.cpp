#include "cli/site_walker.h"
#include "support/temp_dir.h"

#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace linkmoor::cli;

TEST(SiteWalker, HtmlNamesInAnyLetterCase) {
  EXPECT_TRUE(isHtmlPageName("a.htm"));
  EXPECT_TRUE(isHtmlPageName("dir.x/PAGE.HTML"));
  EXPECT_TRUE(isHtmlPageName("x.HtM"));
  EXPECT_TRUE(isHtmlPageName(".htm"));
  EXPECT_FALSE(isHtmlPageName("page.html.bak"));
  EXPECT_FALSE(isHtmlPageName("dir.htm/readme"));
  EXPECT_FALSE(isHtmlPageName("htm"));
}

TEST(SiteWalker, SubFoldersFirstThenFilesByNameDepthFirst) {
  linkmoor::test::TempDir site;
  site.write("z.htm", "");
  site.write("a.html", "");
  site.write("notes.txt", "");
  site.write("b/inner.htm", "");
  site.write("b/deeper/x.HTM", "");
  site.write("a/one.htm", "");
  std::filesystem::create_directory(site.file("empty"));
  bool ok = false;
  auto pages = listSitePages(site.path(), ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(pages, (std::vector<std::string>{"a/one.htm", "b/deeper/x.HTM", "b/inner.htm", "a.html",
                                             "z.htm"}));
}

TEST(SiteWalker, LinkCyclesAreNotFollowedAndMissingRootFails) {
  linkmoor::test::TempDir site;
  site.write("p.htm", "");
  std::filesystem::create_directory_symlink(site.path(), site.file("loop"));
  bool ok = false;
  EXPECT_EQ(listSitePages(site.path(), ok), (std::vector<std::string>{"p.htm"}));
  EXPECT_TRUE(ok);
  listSitePages(site.file("missing"), ok);
  EXPECT_FALSE(ok);
}

TEST(SiteWalker, UnreadableSubFoldersAreReported) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  linkmoor::test::TempDir site;
  site.write("ok.htm", "");
  site.write("locked/p.htm", "");
  chmod(site.file("locked").c_str(), 0);
  bool ok = false;
  std::vector<std::string> unreadable;
  // The folder is listed in its place, so that the run reports it as "open".
  EXPECT_EQ(listSitePages(site.path(), ok, &unreadable),
            (std::vector<std::string>{"locked", "ok.htm"}));
  EXPECT_TRUE(ok);
  EXPECT_EQ(unreadable, (std::vector<std::string>{"locked"}));
  chmod(site.file("locked").c_str(), 0700);
}

namespace {

// Removes the folder `name` below `parent` with everything in it, through
// descriptors, so that paths beyond the system's limit go too.
void removeTreeAt(int parent, const char *name) {
  const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (fd >= 0) {
    DIR *dir = fdopendir(fd);
    std::vector<std::pair<std::string, bool>> entries;
    while (dirent *entry = readdir(dir)) {
      const std::string n = entry->d_name;
      if (n != "." && n != "..") entries.emplace_back(n, entry->d_type == DT_DIR);
    }
    for (const auto &[n, isDir] : entries) {
      if (isDir)
        removeTreeAt(dirfd(dir), n.c_str());
      else
        unlinkat(dirfd(dir), n.c_str(), 0);
    }
    closedir(dir);
  }
  unlinkat(parent, name, AT_REMOVEDIR);
}

} // namespace

TEST(SiteWalker, PagesBeyondThePathLimitAreStillListed) {
  linkmoor::test::TempDir site;
  site.write("top.htm", "");
  // Folders of 200-character names, nested until the whole path passes PATH_MAX.
  const std::string segment(200, 'd');
  std::string relative;
  int fd = open(site.path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  while (site.path().size() + relative.size() < PATH_MAX + 200) {
    ASSERT_EQ(mkdirat(fd, segment.c_str(), 0700), 0);
    const int next = openat(fd, segment.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = next;
    relative += (relative.empty() ? "" : "/") + segment;
  }
  const int page = openat(fd, "deep.htm", O_WRONLY | O_CREAT, 0600);
  close(page);
  close(fd);
  bool ok = false;
  std::vector<std::string> unreadable;
  auto pages = listSitePages(site.path(), ok, &unreadable);
  EXPECT_TRUE(ok);
  EXPECT_EQ(pages, (std::vector<std::string>{relative + "/deep.htm", "top.htm"}));
  const int rootFd = open(site.path().c_str(), O_RDONLY | O_DIRECTORY);
  removeTreeAt(rootFd, segment.c_str());
  close(rootFd);
}

TEST(SiteWalker, EntriesThatCannotBeLookedAtAreListedAndReported) {
  if (geteuid() == 0) GTEST_SKIP() << "root looks into every folder";
  linkmoor::test::TempDir site;
  site.write("ok.htm", "");
  site.write("listable/p.htm", "");
  site.write("listable/sub/q.htm", "");
  // Readable but not searchable: the names can be listed, their types not learnt.
  chmod(site.file("listable").c_str(), 0400);
  bool ok = false;
  std::vector<std::string> unreadable;
  auto pages = listSitePages(site.path(), ok, &unreadable);
  chmod(site.file("listable").c_str(), 0700);
  EXPECT_TRUE(ok);
  EXPECT_EQ(pages, (std::vector<std::string>{"listable/p.htm", "listable/sub", "ok.htm"}));
  EXPECT_EQ(unreadable, (std::vector<std::string>{"listable/p.htm", "listable/sub"}));
}

TEST(SiteWalker, LinksToFoldersAndPagesAreFollowedInsideTheRoot) {
  linkmoor::test::TempDir site, outside;
  site.write("real/a.htm", "");
  outside.write("far.htm", "");
  outside.write("farfolder/b.htm", "");
  std::filesystem::create_directory_symlink("real", site.file("alias"));
  std::filesystem::create_symlink("real/a.htm", site.file("page.htm"));
  std::filesystem::create_symlink("nowhere.htm", site.file("dangling.htm"));
  std::filesystem::create_symlink(outside.file("far.htm"), site.file("far.htm"));
  std::filesystem::create_directory_symlink(outside.file("farfolder"), site.file("farfolder"));
  std::filesystem::create_directory_symlink("..", site.file("real/up"));
  bool ok = false;
  std::vector<std::string> unreadable;
  auto pages = listSitePages(site.path(), ok, &unreadable);
  EXPECT_TRUE(ok);
  // "real/up" leads back to the root, already on the path: not entered again.
  EXPECT_EQ(pages,
            (std::vector<std::string>{"alias/a.htm", "real/a.htm", "dangling.htm", "page.htm"}));
  EXPECT_TRUE(unreadable.empty());
}

TEST(SiteWalker, NamesThatAreNotUtf8KeepTheirBytes) {
  linkmoor::test::TempDir site;
  site.write("caf\xE9/caf\xE9.htm", "");
  bool ok = false;
  EXPECT_EQ(listSitePages(site.path(), ok), (std::vector<std::string>{"caf\xE9/caf\xE9.htm"}));
}
