#include "cli/site_walker.h"
#include "support/temp_dir.h"

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
  EXPECT_EQ(listSitePages(site.path(), ok, &unreadable), (std::vector<std::string>{"ok.htm"}));
  EXPECT_TRUE(ok);
  EXPECT_EQ(unreadable, (std::vector<std::string>{"locked"}));
  chmod(site.file("locked").c_str(), 0700);
}
