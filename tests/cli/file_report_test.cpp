#include "cli/file_report.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace linkmoor::cli;

namespace {
FileReport pageWithBrokenLink() {
  FileReport r;
  r.file = "docs/guide.html";
  r.analysed = true;
  r.summary.sizeText = "1834";
  r.summary.size = 1834;
  r.summary.tags = 40;
  r.summary.scripts = 1;
  r.summary.localLinks = 10;
  r.summary.localLinksMissing = 2;
  r.summary.siteLinks = 1;
  r.summary.remoteLinks = 3;
  r.rows.push_back({12, "Local link", "disk file does't exist", "x.htm", "/site/x.htm", true});
  return r;
}
} // namespace

TEST(FileReportText, SummaryColumnsThenRowsWithTargets) {
  std::string text = formatText(pageWithBrokenLink());
  EXPECT_EQ(text.rfind("docs/guide.html\n", 0), 0u);
  EXPECT_NE(text.find("F-link/err"), std::string::npos);
  EXPECT_NE(text.find(" 1834     2      40/0         1/0        10/2         1/0         3/0\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("line    12  Local link    disk file does't exist"), std::string::npos)
      << text;
  EXPECT_NE(text.find("x.htm  ->  /site/x.htm\n"), std::string::npos);
}

TEST(FileReportText, SyntaxErrorsLeaveTheLinkColumnsEmptyAndRemoteSaysSLink) {
  FileReport r;
  r.file = "bad.htm";
  r.analysed = true;
  r.remote = true;
  r.summary.size = 20;
  r.summary.tags = 2;
  r.summary.tagErrors = 1;
  r.rows.push_back({1, "normal TAG", "blank character after <", "< b", "", false});
  std::string text = formatText(r);
  EXPECT_NE(text.find("S-link/err"), std::string::npos);
  EXPECT_NE(text.find("       20     1       2/1         0/0\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("->"), std::string::npos);
}

TEST(FileReportText, StatusWordForFilesNotAnalysed) {
  FileReport r;
  r.file = "empty.htm";
  r.summary.sizeText = "empty";
  EXPECT_EQ(formatText(r), "empty.htm\n    empty (the file is empty)\n");
  r.summary.sizeText = "open";
  EXPECT_TRUE(r.unreadable());
}

TEST(FileReportJson, FieldsUnderTheirOwnNamesAndRowsParseBack) {
  FileReport r = pageWithBrokenLink();
  r.notChecked = 3;
  std::string line = formatJson(r);
  EXPECT_EQ(line.find('\n'), std::string::npos);
  auto j = nlohmann::json::parse(line);
  EXPECT_EQ(j["file"], "docs/guide.html");
  EXPECT_EQ(j["sizeText"], "1834");
  EXPECT_EQ(j["size"], 1834);
  EXPECT_EQ(j["localLinksMissing"], 2);
  EXPECT_EQ(j["remoteLinks"], 3);
  EXPECT_EQ(j["notChecked"], 3);
  ASSERT_EQ(j["rows"].size(), 1u);
  EXPECT_EQ(j["rows"][0]["line"], 12);
  EXPECT_EQ(j["rows"][0]["type"], "Local link");
  EXPECT_EQ(j["rows"][0]["error"], "disk file does't exist");
  EXPECT_EQ(j["rows"][0]["target"], "/site/x.htm");
}

TEST(FileReportJson, BytesThatAreNotUtf8StillGiveAValidLine) {
  FileReport r;
  r.file = "caf\xe9.htm";
  r.analysed = true;
  r.rows.push_back({1, "normal TAG", "no end brace >", "<a title=\"\xff\xfe", "", false});
  auto j = nlohmann::json::parse(formatJson(r));
  EXPECT_EQ(j["file"], "caf\xef\xbf\xbd.htm");
}

TEST(RunTotals, CountsAndExitStatus) {
  RunTotals t;
  FileReport clean;
  clean.analysed = true;
  t.add(clean);
  EXPECT_EQ(t.exitStatus(), 0);
  EXPECT_EQ(formatTotals(t), "1 file, 0 syntax errors, 0 broken links\n");
  t.add(pageWithBrokenLink());
  FileReport missing;
  missing.summary.sizeText = "open";
  t.add(missing);
  EXPECT_EQ(t.exitStatus(), 1);
  EXPECT_EQ(formatTotals(t), "3 files, 0 syntax errors, 2 broken links, 1 unreadable\n");
}
