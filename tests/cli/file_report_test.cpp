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
  // Each stray byte stands as U+EF00 + byte, never folded into U+FFFD.
  EXPECT_EQ(j["file"], "caf\xee\xbf\xa9.htm");
  EXPECT_EQ(j["rows"][0]["excerpt"], "<a title=\"\xee\xbf\xbf\xee\xbf\xbe");
}

TEST(FileReportJson, EachEscapedCharacterAtAnyPlaceOfALongTextParsesBack) {
  // Runs of plain text are copied whole: an escaped character must be found
  // wherever it stands in a run, also past the first sixteen bytes.
  for (const std::string special : {"\"", "\\", "\n", "\x01", "\x7f", "\xc3\xa9"}) {
    for (std::size_t at = 0; at < 40; ++at) {
      std::string name(40, 'a');
      name.insert(at, special);
      FileReport r;
      r.file = name;
      const auto j = nlohmann::json::parse(formatJson(r));
      EXPECT_EQ(j["file"], name) << "at " << at;
    }
  }
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

TEST(FileReportText, WideNumbersKeepABlankBetweenColumns) {
  FileReport r;
  r.file = "big.htm";
  r.analysed = true;
  r.summary.size = 104857596;
  r.summary.tags = 17476266;
  std::string text = formatText(r);
  EXPECT_EQ(text.find("017476266"), std::string::npos) << text;
  EXPECT_NE(text.find(" 104857596     0 17476266/0"), std::string::npos) << text;
}

TEST(FileReportText, ControlCharactersInNamesAndPagesAreShownEscaped) {
  FileReport r;
  r.file = "evil\nfake.htm\n    open";
  r.analysed = true;
  r.rows.push_back({3, "Local link", "disk file does't exist", "\x1B]0;title\x07x.htm",
                    "/site/\x1B[2Jx.htm", true});
  std::string text = formatText(r);
  EXPECT_EQ(text.find('\x1B'), std::string::npos) << text;
  EXPECT_EQ(text.find('\x07'), std::string::npos);
  EXPECT_EQ(text.rfind("evil\\x0Afake.htm\\x0A    open\n", 0), 0u) << text;
  EXPECT_NE(text.find("\\x1B]0;title\\x07x.htm  ->  /site/\\x1B[2Jx.htm"), std::string::npos);
  r.analysed = false;
  r.summary.sizeText = "open";
  EXPECT_EQ(formatText(r),
            "evil\\x0Afake.htm\\x0A    open\n    open (the file cannot be opened)\n");
}

TEST(FileReportText, NamesThatAreNotUtf8ShowTheirBytes) {
  FileReport r;
  r.file = "caf\xE9.htm";
  r.summary.sizeText = "open";
  EXPECT_EQ(formatText(r).rfind("caf\\xE9.htm\n", 0), 0u);
}

TEST(FileReportJson, NamesThatAreNotUtf8StayValidAndDistinct) {
  FileReport latin;
  latin.file = "caf\xE9.htm";
  latin.summary.sizeText = "open";
  FileReport utf8 = latin;
  utf8.file = "caf\xC3\xA9.htm";
  const std::string a = formatJson(latin), b = formatJson(utf8);
  auto ja = nlohmann::json::parse(a); // throws on invalid JSON
  auto jb = nlohmann::json::parse(b);
  EXPECT_NE(ja["file"], jb["file"]);
  EXPECT_EQ(jb["file"], "caf\xC3\xA9.htm");
  EXPECT_NE(a.find("caf\\uefe9.htm"), std::string::npos) << a;
  EXPECT_EQ(a.find("\xEF\xBF\xBD"), std::string::npos) << "no U+FFFD";
  EXPECT_EQ(ja["file"].get<std::string>(), "caf\xEE\xBF\xA9.htm");
}

TEST(FileReportJson, ControlCharactersAndQuotesAreEscaped) {
  FileReport r;
  r.file = "a\"b\\c\nd\x1B.htm";
  r.analysed = true;
  r.rows.push_back({1, "normal TAG", "no end brace >", "<p \x01", "", false});
  const std::string line = formatJson(r);
  EXPECT_EQ(line.find('\n'), std::string::npos);
  EXPECT_EQ(line.find('\x1B'), std::string::npos);
  auto j = nlohmann::json::parse(line);
  EXPECT_EQ(j["file"], "a\"b\\c\nd\x1B.htm");
  EXPECT_EQ(j["rows"][0]["excerpt"], "<p \x01");
  EXPECT_EQ(j["rows"][0]["line"], 1);
}
