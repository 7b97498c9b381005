// The targets and disk results that one thread's pages of a folder share.
#include "engine/analysis_pass.h"
#include "engine/html_scanner.h"
#include "engine/local_link_memo.h"
#include "pipeline_support.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace linkmoor::test {
namespace {

// A recording checker that says whether its disk answers may be kept.
class KeepingChecker : public RecordingChecker {
public:
  explicit KeepingChecker(bool keeps) : keeps_(keeps) {}
  bool keepsDiskResults() const override { return keeps_; }

private:
  bool keeps_;
};

using LinkResults = std::vector<std::pair<std::string, LinkStatus>>;

class LocalLinkMemoTest : public CurrentProjectsTest {
protected:
  void SetUp() override {
    CurrentProjectsTest::SetUp();
    const std::string links = "<a href=\"x.htm\"><a href=\"missing.htm\"><a href=\"#top\">"
                              "<a href=\"?q=1\"><img src=\"../a/x.htm\"><a href=\"x.htm\">";
    for (const char *page : {"a/p1.htm", "a/p2.htm", "b/p3.htm"})
      site.write(page, links);
    site.write("a/x.htm", "x");
    CurrentLocalProject.rootPath = site.path();
  }

  // The general pass of linkmoor-check over the pages in order, with `scanner`
  // (or a new one per page): each page's link targets and results.
  std::vector<LinkResults> run(LinkChecker &checker, bool oneScanner) {
    std::vector<LinkResults> pages;
    HtmlScanner shared;
    for (const char *page : {"a/p1.htm", "a/p2.htm", "b/p3.htm"}) {
      HtmlScanner own;
      HtmlScanner &scanner = oneScanner ? shared : own;
      SilentJob job;
      PassContext context(false, job, checker);
      FileSummary summary;
      const RowStream rows = [](const ErrorRecord &, bool) {};
      EXPECT_EQ(findGeneralInfoStreamingRows(scanner, page, summary, rows, context), 1);
      LinkResults links;
      for (const auto &link : scanner.links)
        links.emplace_back(link->target, link->status);
      pages.push_back(std::move(links));
    }
    return pages;
  }

  TempDir site;
};

TEST_F(LocalLinkMemoTest, PagesOfAFolderShareWhatTheirValuesGave) {
  KeepingChecker alone(false);
  const std::vector<LinkResults> expected = run(alone, false);
  ASSERT_EQ(expected.size(), 3u);
  // Anchors and queries refer to their own page.
  EXPECT_EQ(expected[1][2].first, site.path() + "/a/p2.htm#top");
  EXPECT_EQ(expected[1][3].first, site.path() + "/a/p2.htm?q=1");
  EXPECT_EQ(expected[2][0], (std::pair{site.path() + "/b/x.htm", LinkStatus::NoDiskFile}));
  EXPECT_EQ(alone.diskAsked.size(), 18u);

  KeepingChecker keeping(true);
  EXPECT_EQ(run(keeping, true), expected);
  // p1 asks for each value once (x.htm twice on the page), p2 only for its anchor
  // and query, p3 in another folder afresh.
  EXPECT_EQ(keeping.diskAsked.size(), 5u + 2u + 5u);

  // Targets are shared, but results that the checker does not keep are asked again.
  KeepingChecker notKeeping(false);
  EXPECT_EQ(run(notKeeping, true), expected);
  EXPECT_EQ(notKeeping.diskAsked.size(), 18u);
}

TEST(LocalLinkMemo, ForgetsAnotherFolderRootOrCheckerAndStaysWithinItsRoom) {
  LocalLinkMemo memo;
  KeepingChecker one(true), other(true);
  memo.startPage("/site/a", "/site", &one, 2);
  EXPECT_EQ(memo.pageEntries, (std::vector<MemoTarget *>(2, nullptr)));
  memo.add("x.htm", "/site/a/x.htm");
  memo.startPage("/site/a", "/site", &one, 0);
  ASSERT_NE(memo.find("x.htm"), nullptr);
  EXPECT_EQ(memo.find("x.htm")->target, "/site/a/x.htm");
  for (const auto &[folder, root, checker] : {std::tuple{"/site/b", "/site", &one},
                                              {"/site/a", "/other", &one},
                                              {"/site/a", "/site", &other}}) {
    memo.startPage("/site/a", "/site", &one, 0);
    memo.add("x.htm", "/site/a/x.htm");
    memo.startPage(folder, root, checker, 0);
    EXPECT_EQ(memo.find("x.htm"), nullptr) << folder << " " << root;
  }

  const std::string longTarget(1000, 't');
  int added = 0;
  while (memo.add("v" + std::to_string(added), longTarget))
    ++added;
  EXPECT_GT(added, 1000);
  EXPECT_LT(added * longTarget.size(), LocalLinkMemo::kByteLimit + 2 * longTarget.size());
  ASSERT_NE(memo.find("v0"), nullptr);
  memo.startPage("/site/a", "/site", &other, 0);
  EXPECT_EQ(memo.find("v0"), nullptr);
}

TEST(LocalLinkMemo, AnchorsAndQueriesBelongToTheirPage) {
  for (const char *value : {"#top", "  #top", "?q=1", "\t?q"})
    EXPECT_FALSE(LocalLinkMemo::sameForTheFolder(value)) << value;
  for (const char *value : {"", "x.htm#top", "./#top", "../?q", "/x"})
    EXPECT_TRUE(LocalLinkMemo::sameForTheFolder(value)) << value;
}

} // namespace
} // namespace linkmoor::test
