#include "workspace/extension_stats.h"

#include <gtest/gtest.h>

using namespace linkmoor;

namespace {

std::vector<std::string> extensions(const std::vector<ExtensionStat> &stats) {
  std::vector<std::string> out;
  for (const ExtensionStat &stat : stats)
    out.push_back(stat.extension + ":" + std::to_string(stat.count));
  return out;
}

} // namespace

TEST(ExtensionStats, ExtensionIsTheTextAfterTheLastDot) {
  EXPECT_EQ(ExtensionStats::extensionOf("page.old.htm"), "htm");
  EXPECT_EQ(ExtensionStats::extensionOf("Makefile"), "");
  EXPECT_EQ(ExtensionStats::extensionOf(".htm"), "htm");
  EXPECT_EQ(ExtensionStats::extensionOf("name."), "");
  EXPECT_TRUE(ExtensionStats::isSupported("HTM"));
  EXPECT_TRUE(ExtensionStats::isSupported("Html"));
  EXPECT_FALSE(ExtensionStats::isSupported("shtml"));
  EXPECT_FALSE(ExtensionStats::isSupported(""));
}

TEST(ExtensionStats, GroupedWithoutCaseInTheSpellingMetFirstAndSorted) {
  ExtensionStats stats;
  for (const char *name : {"b.TXT", "a.png", "c.txt", "d.Png", "README", "e.css", "f.htm", "g.HTM"})
    stats.add(name);
  EXPECT_EQ(extensions(stats.sorted()),
            (std::vector<std::string>{":1", "css:1", "htm:2", "png:2", "TXT:2"}));
  EXPECT_EQ(extensions(stats.displayOrder()),
            (std::vector<std::string>{"htm:2", ":1", "css:1", "png:2", "TXT:2"}));
  EXPECT_TRUE(stats.displayOrder()[0].supported);
  EXPECT_FALSE(stats.displayOrder()[1].supported);
}

TEST(ExtensionStats, SupportedFirstThenTheOthersEachSorted) {
  ExtensionStats stats;
  for (const char *name : {"z.html", "a.gif", "b.htm", "x.HTML"})
    stats.add(name);
  EXPECT_EQ(extensions(stats.displayOrder()),
            (std::vector<std::string>{"htm:1", "html:2", "gif:1"}));
  stats.clear();
  EXPECT_TRUE(stats.sorted().empty());
}

TEST(ExtensionStats, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_EQ(ExtensionStats::compareNoCase("ABC", "abc"), 0);
  EXPECT_LT(ExtensionStats::compareNoCase("ab", "abc"), 0);
  EXPECT_GT(ExtensionStats::compareNoCase("b", "A"), 0);
  // "_" (0x5F) stands between the upper- and lower-case letters: compared as lower case,
  // "A" sorts after it as "a" does, not before it as in byte order.
  EXPECT_LT(ExtensionStats::compareNoCase("_", "a"), 0);
  EXPECT_LT(ExtensionStats::compareNoCase("_", "A"), 0);
  EXPECT_GT(ExtensionStats::compareNoCase("\xE9", "z"), 0);
}

TEST(HtmlFileName, ExactExtensionAndNotADotFile) {
  EXPECT_TRUE(isHtmlFileName("index.html"));
  EXPECT_TRUE(isHtmlFileName("a.b.htm"));
  EXPECT_FALSE(isHtmlFileName("PAGE.HTM"));
  EXPECT_FALSE(isHtmlFileName("index.Html"));
  EXPECT_FALSE(isHtmlFileName(".htm"));
  EXPECT_FALSE(isHtmlFileName("htm"));
  EXPECT_FALSE(isHtmlFileName("page.shtml"));
}
