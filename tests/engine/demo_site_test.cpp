// The demo site's pages against the figures its README promises for the scan
// and the extraction (before links are classified and checked).
#include "scanned_page.h"

#include "engine/error_list.h"
#include "engine/file_summary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace linkmoor;
using linkmoor::test::ScannedPage;

namespace {

std::string demoPage(const std::string &path) {
  std::ifstream in(std::string(LINKMOOR_SOURCE_DIR) + "/resources/demo-site/" + path,
                   std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct PageFigures {
  const char *path;
  int tags, tagErrors, scripts, scriptErrors;
  int relativeLinks; // local links
  int absoluteLinks; // file links and remote links
};

const PageFigures pages[] = {
    {"index.html", 57, 0, 1, 0, 12, 0},
    {"about.htm", 44, 0, 0, 0, 8, 0},
    {"docs/guide.html", 51, 0, 0, 0, 7, 1},
    {"docs/reference/api.htm", 52, 0, 0, 0, 7, 1},
    {"docs/reference/tool--daemon.html", 27, 0, 0, 0, 3, 0},
    {"blog/2024/post.html", 40, 0, 1, 0, 6, 2},
    {"broken/links.htm", 72, 0, 0, 0, 10, 3},
    {"broken/syntax/blank-after-lt.htm", 27, 1, 0, 0, 0, 0},
    {"broken/syntax/no-end-brace.htm", 25, 1, 0, 0, 0, 0},
    {"broken/syntax/unclosed-string.htm", 25, 1, 0, 0, 0, 0},
    {"broken/syntax/blank-in-comment-open.htm", 26, 1, 0, 0, 0, 0},
    {"broken/syntax/blank-between-dashes.htm", 26, 1, 0, 0, 0, 0},
    {"broken/syntax/unclosed-comment.htm", 24, 1, 0, 0, 0, 0},
    {"broken/syntax/unclosed-script.htm", 24, 0, 1, 1, 0, 0},
};

struct SyntaxRow {
  const char *path;
  int shownLine;
  const char *type;
  int code;
  const char *excerpt;
};

const SyntaxRow syntaxRows[] = {
    // A segment shorter than the excerpt limit is shown whole, and only itself.
    {"broken/syntax/blank-after-lt.htm", 12, "normal TAG", 5, "< p class=\"note\">"},
    {"broken/syntax/no-end-brace.htm", 16, "normal TAG", 10, "</html "},
    // The tag ends at its unclosed quote.
    {"broken/syntax/unclosed-string.htm", 13, "normal TAG", 15, "<p class="},
    {"broken/syntax/blank-in-comment-open.htm", 10, "comment", 20,
     "<! -- this comment has a blank between t"},
    {"broken/syntax/blank-between-dashes.htm", 10, "comment", 25,
     "<!- - this comment has a blank between i"},
    {"broken/syntax/unclosed-comment.htm", 16, "comment", 30,
     "<!-- draft: a list of further reading wi"},
    {"broken/syntax/unclosed-script.htm", 16, "script code", 10,
     "   // counts the paragraphs of the page."},
};

} // namespace

TEST(DemoSite, SegmentAndLinkCountsOfEveryPage) {
  for (const PageFigures &expected : pages) {
    SCOPED_TRACE(expected.path);
    const std::string text = demoPage(expected.path);
    ASSERT_FALSE(text.empty());
    ScannedPage page(text);
    FileSummary summary;
    summary.countSegments(page.scanner);
    EXPECT_EQ(summary.tags, expected.tags);
    EXPECT_EQ(summary.tagErrors, expected.tagErrors);
    EXPECT_EQ(summary.scripts, expected.scripts);
    EXPECT_EQ(summary.scriptErrors, expected.scriptErrors);
    if (summary.tagErrors + summary.scriptErrors != 0) continue;
    page.extractLinks();
    summary.countLinks(page.scanner.links);
    EXPECT_EQ(summary.localLinks, expected.relativeLinks);
    EXPECT_EQ(summary.remoteLinks, expected.absoluteLinks);
  }
}

TEST(DemoSite, SyntaxRowsOfTheBrokenPages) {
  for (const SyntaxRow &expected : syntaxRows) {
    SCOPED_TRACE(expected.path);
    ScannedPage page(demoPage(expected.path));
    ErrorList rows;
    rows.fillFromSegments(page.scanner, page.work(), page.workEnd());
    ASSERT_EQ(rows.count(), 1);
    const ErrorRecord &row = *rows.at(0);
    EXPECT_EQ(row.line + 1, expected.shownLine);
    EXPECT_EQ(kindText(row).type, expected.type);
    EXPECT_EQ(row.code, expected.code);
    EXPECT_EQ(row.excerpt, expected.excerpt);
  }
}
