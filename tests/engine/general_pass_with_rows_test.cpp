// The general pass that also gives the description rows must give exactly what
// the two passes give one after the other.

#include "engine/analysis_pass.h"
#include "engine/error_list.h"
#include "engine/html_scanner.h"
#include "pipeline_support.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace linkmoor::test {
namespace {

struct PassResults {
  int general = -1;
  FileSummary summary;
  std::vector<std::tuple<int, int, int, std::string, std::string>> rows;
  int linkRows = -1;
};

void takeRows(const ErrorList &list, PassResults &r) {
  r.linkRows = list.count() ? list.linkRows : -1;
  for (const auto &row : list)
    r.rows.emplace_back(row->line, row->type, row->code, row->excerpt, row->target);
}

PassResults twoPasses(const std::string &file) {
  PassResults r;
  SilentJob job;
  NetworkLinkChecker checker;
  PassContext context(false, job, checker);
  HtmlScanner scanner;
  r.general = findGeneralInfo(scanner, file, r.summary, context);
  if (r.general == 1 && r.summary.errorTotal() > 0) {
    HtmlScanner second;
    ErrorList list;
    ByteBuffer text;
    findDescription(second, file, list, text, context);
    takeRows(list, r);
  }
  return r;
}

PassResults onePass(const std::string &file) {
  PassResults r;
  SilentJob job;
  NetworkLinkChecker checker;
  PassContext context(false, job, checker);
  HtmlScanner scanner;
  ErrorList list;
  r.general = findGeneralInfoWithRows(scanner, file, r.summary, list, context);
  takeRows(list, r);
  return r;
}

void expectSame(const std::string &file) {
  PassResults a = twoPasses(file), b = onePass(file);
  SCOPED_TRACE(file);
  EXPECT_EQ(a.general, b.general);
  EXPECT_EQ(a.summary.sizeText, b.summary.sizeText);
  EXPECT_EQ(a.summary.tags, b.summary.tags);
  EXPECT_EQ(a.summary.tagErrors, b.summary.tagErrors);
  EXPECT_EQ(a.summary.scriptErrors, b.summary.scriptErrors);
  EXPECT_EQ(a.summary.localLinks, b.summary.localLinks);
  EXPECT_EQ(a.summary.localLinksMissing, b.summary.localLinksMissing);
  EXPECT_EQ(a.summary.siteLinksMissing, b.summary.siteLinksMissing);
  EXPECT_EQ(a.rows, b.rows);
  EXPECT_EQ(a.linkRows, b.linkRows);
}

class GeneralPassWithRows : public CurrentProjectsTest {
protected:
  void SetUp() override {
    CurrentProjectsTest::SetUp();
    CurrentLocalProject.rootPath = site.path();
  }
  TempDir site;
};

TEST_F(GeneralPassWithRows, SameAsBothPassesOnTheDemoSite) {
  std::filesystem::copy(std::string(LINKMOOR_SOURCE_DIR) + "/resources/demo-site", site.path(),
                        std::filesystem::copy_options::recursive);
  int pages = 0;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(site.path())) {
    const std::string path = entry.path().string();
    if (!path.ends_with(".htm") && !path.ends_with(".html")) continue;
    expectSame(path.substr(site.path().size() + 1));
    ++pages;
  }
  EXPECT_GE(pages, 10);
}

TEST_F(GeneralPassWithRows, SameWhereAMultiLineCommentChangesTheDescriptionText) {
  // The comment's line feeds stay in the description's text, so the broken
  // link's line differs from what the general pass's text would give.
  site.write("c.htm", "<html>\n<!-- one\ntwo\nthree -->\n<a href=\"gone.htm\">x</a>\n"
                      "<script>\n/* a\nb */ var s = \"x\";\n</script>\n"
                      "<img src=\"missing.png\">\n</html>\n");
  expectSame("c.htm");
  PassResults r = onePass("c.htm");
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(std::get<0>(r.rows[0]), 4);
  EXPECT_EQ(std::get<0>(r.rows[1]), 9);
}

TEST_F(GeneralPassWithRows, SameForSyntaxErrorsCleanPagesAndFilesNotAnalysed) {
  site.write("syntax.htm", "<html>\n<p>a < b</p>\n<!-- open\n<a href=\"gone.htm\">\n");
  site.write("clean.htm", "<html><a href=\"clean.htm#top\">me</a></html>");
  site.write("empty.htm", "");
  site.write("binary.htm", std::string("<p>\0</p>", 8));
  for (const char *file : {"syntax.htm", "clean.htm", "empty.htm", "binary.htm", "none.htm"})
    expectSame(file);
  EXPECT_TRUE(onePass("clean.htm").rows.empty());
  EXPECT_EQ(onePass("syntax.htm").linkRows, 0);
}

} // namespace
} // namespace linkmoor::test
