// The demo site analysed as a local project, page by page, against the results
// its README lists. Its remote links all name hosts under .invalid, so no check
// reaches any server.
#include "pipeline_support.h"
#include "support/temp_dir.h"

#include "engine/analysis_pass.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace linkmoor;
using linkmoor::test::RecordingChecker;
using linkmoor::test::RecordingJob;
using linkmoor::test::TempDir;

namespace {

struct Row {
  const char *path;
  int bytes;
  int tags, tagErrors, scripts, scriptErrors;
  int local, localMissing, site, siteMissing, remote, remoteMissing;
  int errs;
};

const Row expectedRows[] = {
    {"index.html", 1784, 57, 0, 1, 0, 12, 0, 0, 0, 0, 0, 0},
    {"about.htm", 918, 44, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0},
    {"docs/guide.html", 1233, 51, 0, 0, 0, 7, 0, 0, 0, 1, 1, 1},
    {"docs/reference/api.htm", 1137, 52, 0, 0, 0, 7, 0, 1, 1, 0, 0, 1},
    {"docs/reference/tool--daemon.html", 492, 27, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0},
    {"blog/2024/post.html", 1405, 40, 0, 1, 0, 6, 1, 0, 0, 2, 2, 3},
    {"broken/links.htm", 1332, 72, 0, 0, 0, 10, 4, 1, 1, 2, 2, 7},
    {"broken/syntax/blank-after-lt.htm", 721, 27, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1},
    {"broken/syntax/no-end-brace.htm", 642, 25, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1},
    {"broken/syntax/unclosed-string.htm", 686, 25, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1},
    {"broken/syntax/blank-in-comment-open.htm", 767, 26, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1},
    {"broken/syntax/blank-between-dashes.htm", 718, 26, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1},
    {"broken/syntax/unclosed-comment.htm", 770, 24, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1},
    {"broken/syntax/unclosed-script.htm", 814, 24, 0, 1, 1, 0, 0, 0, 0, 0, 0, 1},
};

struct LinkRow {
  const char *page;
  int shownLine;
  const char *type;
  int code;
  const char *value;
  const char *target; // relative to the site folder; null: the value as written
};

const LinkRow expectedLinkRows[] = {
    {"docs/guide.html", 23, "Remote link", 5, "https://www.example.invalid/manual/", nullptr},
    {"docs/reference/api.htm", 24, "Site link", 15, "file:///nonexistent/linkmoordemo.htm",
     nullptr},
    {"blog/2024/post.html", 8, "Remote link", 5, "http://feeds.example.invalid/blog", nullptr},
    {"blog/2024/post.html", 21, "Local link", 15, "../2023/old-post.html",
     "blog/2023/old-post.html"},
    {"blog/2024/post.html", 25, "Remote link", 5, "http://example.invalid:8080/status", nullptr},
    {"broken/links.htm", 19, "Local link", 15, "nothere.htm", "broken/nothere.htm"},
    {"broken/links.htm", 20, "Local link", 15, "../images/missing.png", "images/missing.png"},
    {"broken/links.htm", 21, "Local link", 15, "gone.htm#top", "broken/gone.htm#top"},
    {"broken/links.htm", 22, "Local link", 15, "search.htm?q=links", "broken/search.htm?q=links"},
    {"broken/links.htm", 23, "Site link", 15, "file:///nonexistent/linkmoordemo.htm", nullptr},
    {"broken/links.htm", 27, "Remote link", 5, "http://example.invalid/", nullptr},
    {"broken/links.htm", 28, "Remote link", 5, "https://shop.example.invalid/cart?id=42", nullptr},
};

class DemoSitePipeline : public test::CurrentProjectsTest {
protected:
  void SetUp() override {
    CurrentProjectsTest::SetUp();
    std::filesystem::copy(std::string(LINKMOOR_SOURCE_DIR) + "/resources/demo-site", dir.path(),
                          std::filesystem::copy_options::recursive);
    CurrentLocalProject.rootPath = dir.path();
  }

  TempDir dir;
  RecordingJob job;
  RecordingChecker checker{&job};
};

} // namespace

TEST_F(DemoSitePipeline, GeneralPassGivesTheListedRows) {
  int totalMissing = 0, pagesWithMissing = 0;
  for (const Row &row : expectedRows) {
    SCOPED_TRACE(row.path);
    HtmlScanner scanner;
    FileSummary summary;
    PassContext context(false, job, checker);
    ASSERT_EQ(findGeneralInfo(scanner, row.path, summary, context), 1);
    EXPECT_EQ(summary.sizeText, std::to_string(row.bytes));
    EXPECT_EQ(summary.size, row.bytes);
    EXPECT_EQ(summary.tags, row.tags);
    EXPECT_EQ(summary.tagErrors, row.tagErrors);
    EXPECT_EQ(summary.scripts, row.scripts);
    EXPECT_EQ(summary.scriptErrors, row.scriptErrors);
    EXPECT_EQ(summary.localLinks, row.local);
    EXPECT_EQ(summary.localLinksMissing, row.localMissing);
    EXPECT_EQ(summary.siteLinks, row.site);
    EXPECT_EQ(summary.siteLinksMissing, row.siteMissing);
    EXPECT_EQ(summary.remoteLinks, row.remote);
    EXPECT_EQ(summary.remoteLinksMissing, row.remoteMissing);
    EXPECT_EQ(summary.errorTotal(), row.errs);
    EXPECT_EQ(context.stop, 0);
    EXPECT_EQ(context.skip, 0);
    const int missing =
        summary.localLinksMissing + summary.siteLinksMissing + summary.remoteLinksMissing;
    totalMissing += missing;
    pagesWithMissing += missing > 0;
  }
  EXPECT_EQ(totalMissing, 12);
  EXPECT_EQ(pagesWithMissing, 4);
  // Every request named a host that cannot exist.
  EXPECT_EQ(checker.httpAsked.size(), 5u);
  for (const std::string &url : checker.httpAsked)
    EXPECT_NE(url.find(".invalid"), std::string::npos) << url;
}

TEST_F(DemoSitePipeline, CharacterReferenceLinksFindTheirPage) {
  HtmlScanner scanner;
  FileSummary summary;
  PassContext context(false, job, checker);
  ASSERT_EQ(findGeneralInfo(scanner, "docs/reference/api.htm", summary, context), 1);
  int referenceLinks = 0;
  for (const auto &link : scanner.links) {
    if (link->target.find("&#45;") == std::string::npos) continue;
    ++referenceLinks;
    EXPECT_EQ(link->status, LinkStatus::Found) << link->target;
  }
  EXPECT_EQ(referenceLinks, 2);
}

TEST_F(DemoSitePipeline, DescriptionPassGivesTheListedLinkRows) {
  std::vector<const LinkRow *> rows;
  for (const LinkRow &row : expectedLinkRows)
    rows.push_back(&row);
  std::size_t next = 0;
  for (const Row &page : expectedRows) {
    SCOPED_TRACE(page.path);
    HtmlScanner scanner;
    ErrorList errors;
    ByteBuffer text;
    PassContext context(false, job, checker);
    ASSERT_EQ(findDescription(scanner, page.path, errors, text, context), 1);
    EXPECT_EQ(static_cast<int>(text.size()), page.bytes + 1);
    if (page.tagErrors + page.scriptErrors > 0) {
      EXPECT_EQ(errors.linkRows, 0);
      EXPECT_EQ(errors.count(), 1);
      continue;
    }
    EXPECT_EQ(errors.linkRows, 1);
    for (const auto &record : errors) {
      ASSERT_LT(next, rows.size());
      const LinkRow &want = *rows[next++];
      EXPECT_EQ(std::string(want.page), page.path);
      EXPECT_EQ(record->line + 1, want.shownLine) << want.value;
      EXPECT_EQ(linkText(*record).type, want.type) << want.value;
      EXPECT_EQ(record->code, want.code) << want.value;
      EXPECT_EQ(record->excerpt, want.value);
      const std::string target = want.target ? dir.file(want.target) : want.value;
      EXPECT_EQ(record->target, target);
    }
  }
  EXPECT_EQ(next, rows.size());
}
