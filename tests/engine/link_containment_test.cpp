// Local link targets tested on a real disk: what the disk check tests for a
// relative link never lies outside the project root, however the value spells
// its ".." steps, and a folder reached by "../" with an anchor is found.
#include "scanned_page.h"

#include "engine/link_resolution.h"
#include "engine/target_decoding.h"
#include "platform/disk_check.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace linkmoor;
using linkmoor::test::ScannedPage;
using linkmoor::test::TempDir;

namespace {

std::string anchor(const std::string &value) { return "<a href=\"" + value + "\">x</a>\n"; }

// The targets of the links of `page`, resolved for the page `folder`/`name` under `root`.
std::vector<std::string> targetsOf(const std::string &page, const std::string &folder,
                                   const std::string &name, const std::string &root) {
  ScannedPage scanned(page);
  scanned.extractLinks();
  resolveLocal(scanned.scanner.links, scanned.work(), scanned.workEnd(), folder, name, root);
  std::vector<std::string> targets;
  for (const auto &link : scanned.scanner.links)
    targets.push_back(link->target);
  return targets;
}

// What the disk check of `target` answers: the path it tests, and whether it exists.
bool foundOnDisk(const std::string &target, std::string &tested) {
  return diskPathOfTarget(target, tested) && diskPathExists(tested);
}

// A site folder "site" with the page a/b/p.htm, beside a file that is outside it.
class SiteOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    dir.write("outside.txt", "not part of the site");
    dir.write("site/a/b/p.htm", "<p>page</p>");
    dir.write("site/a/index.htm", "<p>index</p>");
    dir.write("site/a/x.htm", "<p>x</p>");
    root = dir.file("site");
  }

  // Targets of `values` as links of the page a/b/p.htm.
  std::vector<std::string> targets(const std::vector<std::string> &values) {
    std::string page;
    for (const auto &value : values)
      page += anchor(value);
    return targetsOf(page, root + "/a/b", "p.htm", root);
  }

  TempDir dir;
  std::string root;
};

} // namespace

TEST_F(SiteOnDisk, EncodedParentStepsNeverReachAFileOutsideTheRoot) {
  ASSERT_TRUE(diskPathExists(dir.file("site/../outside.txt")));
  const std::vector<std::string> values = {
      "../../%2e%2e/outside.txt",         "../../%2E%2E/outside.txt",
      "../../.%2e/outside.txt",           "../../&#46;&#46;/outside.txt",
      "../../&#x2e;&#X2E;/outside.txt",   "../../&#46&#46/outside.txt",
      "../../&#37;2e&#37;2e/outside.txt", "%2e%2e/%2e%2e/%2e%2e/outside.txt",
      "../../%2e%2e%2foutside.txt",       "../../..%2foutside.txt",
      "../../..%5coutside.txt",           "../../..&#92;outside.txt",
      "..\\..\\..\\outside.txt",          "../../%2e%2e/outside.txt#top",
      "../../%2e%2e/outside.txt?q=1",     "sub/%2e%2e/%2e%2e/%2e%2e/%2e%2e/outside.txt"};
  const auto found = targets(values);
  ASSERT_EQ(found.size(), values.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    std::string tested;
    EXPECT_FALSE(foundOnDisk(found[i], tested)) << values[i] << " -> " << found[i];
    EXPECT_EQ(tested, root + "/outside.txt") << values[i] << " -> " << found[i];
  }
}

TEST_F(SiteOnDisk, EncodedStepsInsideTheSiteResolveAsInABrowser) {
  const auto found = targets({"%2e%2e/x.htm", "&#46;&#46;/index.htm#top", "%2E/p.htm", "..%5cx.htm",
                              "sub/%2e%2e/p.htm?q=%2e%2e/%2e%2e"});
  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(found[0], root + "/a/x.htm");
  EXPECT_EQ(found[1], root + "/a/index.htm#top");
  EXPECT_EQ(found[2], root + "/a/b/p.htm");
  EXPECT_EQ(found[3], root + "/a/x.htm");
  EXPECT_EQ(found[4], root + "/a/b/p.htm?q=%2e%2e/%2e%2e"); // the query stays as written
  for (const auto &target : found) {
    std::string tested;
    EXPECT_TRUE(foundOnDisk(target, tested)) << target;
  }
}

TEST_F(SiteOnDisk, ValuesWithoutEncodedStepsKeepTheirTargetAsWritten) {
  const auto found = targets({"../my%20x.htm", "tool&#45;&#45;daemon.html", "../x.htm#a%2e%2e"});
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0], root + "/a/my%20x.htm");
  EXPECT_EQ(found[1], root + "/a/b/tool&#45;&#45;daemon.html");
  EXPECT_EQ(found[2], root + "/a/x.htm#a%2e%2e");
}

TEST_F(SiteOnDisk, DecodedNamesAreEscapedSoTheCheckReadsThemBack) {
  dir.write("site/a/100% #1?.htm", "<p>odd name</p>");
  const auto found = targets({"%2e%2e/100%25%20%231%3F.htm"});
  ASSERT_EQ(found.size(), 1u);
  std::string tested;
  EXPECT_TRUE(foundOnDisk(found[0], tested)) << found[0];
  EXPECT_EQ(tested, root + "/a/100% #1?.htm");
}

TEST_F(SiteOnDisk, AnchorAfterAParentStepFindsTheFolder) {
  const auto found = targets({"../#debug", "./#x", "../?q", "#top", "../../#x"});
  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(found[0], root + "/a/#debug");
  EXPECT_EQ(found[1], root + "/a/b/#x");
  EXPECT_EQ(found[2], root + "/a/?q");
  EXPECT_EQ(found[3], root + "/a/b/p.htm#top");
  EXPECT_EQ(found[4], root + "/#x");
  for (const auto &target : found) {
    std::string tested;
    EXPECT_TRUE(foundOnDisk(target, tested)) << target;
  }
}

TEST(RootOnDisk, ARootWhoseNameHoldsAnchorQueryOrEscapeCharactersIsTestedAsItIs) {
  TempDir dir;
  dir.write("si#te?%41&amp;/x.htm", "<p>x</p>");
  dir.write("si/x.htm", "<p>a decoy where the cut root would lead</p>");
  const std::string root = dir.file("si#te?%41&amp;");
  const auto found = targetsOf(anchor("x.htm") + anchor("missing.htm"), root, "p.htm", root);
  ASSERT_EQ(found.size(), 2u);
  std::string tested;
  EXPECT_TRUE(foundOnDisk(found[0], tested)) << found[0];
  EXPECT_EQ(tested, root + "/x.htm");
  EXPECT_FALSE(foundOnDisk(found[1], tested)) << found[1];
  EXPECT_EQ(tested, root + "/missing.htm");
}
