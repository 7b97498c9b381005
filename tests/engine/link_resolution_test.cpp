// Targets and types of extracted links in local and remote projects.
#include "scanned_page.h"

#include "engine/link_resolution.h"

#include <gtest/gtest.h>

#include <string>

using namespace linkmoor;
using linkmoor::test::ScannedPage;

namespace {

struct Resolved {
  std::string target;
  LinkType type;
};

// Extracts the links of `page` and resolves them locally for the page
// `folder`/`name` under `root`.
std::vector<Resolved> resolvedLocal(const std::string &page, const std::string &folder,
                                    const std::string &name, const std::string &root) {
  ScannedPage scanned(page);
  scanned.extractLinks();
  resolveLocal(scanned.scanner.links, scanned.work(), scanned.workEnd(), folder, name, root);
  std::vector<Resolved> result;
  for (const auto &link : scanned.scanner.links)
    result.push_back({link->target, link->type});
  return result;
}

std::vector<Resolved> resolvedRemote(const std::string &page, const std::string &folder,
                                     const std::string &name, const std::string &download,
                                     const std::string &subdomainPath,
                                     const std::string &subdomainName) {
  ScannedPage scanned(page);
  scanned.extractLinks();
  resolveRemote(scanned.scanner.links, scanned.work(), scanned.workEnd(), folder, name, download,
                subdomainPath, subdomainName);
  std::vector<Resolved> result;
  for (const auto &link : scanned.scanner.links)
    result.push_back({link->target, link->type});
  return result;
}

std::string anchor(const std::string &value) { return "<a href=\"" + value + "\">x</a>\n"; }

} // namespace

TEST(LocalResolution, RelativeLinksBecomePathsUnderTheRoot) {
  const auto links = resolvedLocal(anchor("../x.htm") + anchor("#top") + anchor("y.htm") +
                                       anchor("/css/site.css") + anchor("./deeper/z.htm"),
                                   "/site/sub", "p.htm", "/site");
  ASSERT_EQ(links.size(), 5u);
  EXPECT_EQ(links[0].target, "/site/x.htm");
  EXPECT_EQ(links[1].target, "/site/sub/p.htm#top");
  EXPECT_EQ(links[2].target, "/site/sub/y.htm");
  EXPECT_EQ(links[3].target, "/site/css/site.css");
  EXPECT_EQ(links[4].target, "/site/sub/deeper/z.htm");
  for (const auto &link : links)
    EXPECT_EQ(link.type, LinkType::Local);
}

TEST(LocalResolution, PageInTheRootAndStepsAboveIt) {
  const auto links = resolvedLocal(anchor("a.htm") + anchor("../../b.htm") + anchor("?q=1"),
                                   "/site", "index.htm", "/site");
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].target, "/site/a.htm");
  EXPECT_EQ(links[1].target, "/site/b.htm"); // never above the root
  EXPECT_EQ(links[2].target, "/site/index.htm?q=1");
}

TEST(LocalResolution, DotStepsNeverLeaveTheRoot) {
  const auto links =
      resolvedLocal(anchor("../x.htm") + anchor("a/../../y.htm") + anchor("/../z.htm") +
                        anchor("a/./b/../c.htm?u=../q") + anchor("../"),
                    "/site", "index.htm", "/site");
  ASSERT_EQ(links.size(), 5u);
  EXPECT_EQ(links[0].target, "/site/x.htm");
  EXPECT_EQ(links[1].target, "/site/y.htm");
  EXPECT_EQ(links[2].target, "/site/z.htm");
  EXPECT_EQ(links[3].target, "/site/a/c.htm?u=../q"); // the query stays as written
  EXPECT_EQ(links[4].target, "/site/");
}

TEST(LocalResolution, DoubledSlashesCollapse) {
  const auto links = resolvedLocal(anchor("a//b///c.htm"), "/site", "p.htm", "/site");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].target, "/site/a/b/c.htm");
  EXPECT_EQ(collapseSlashes("//a////b/"), "/a/b/");
  EXPECT_EQ(collapseSlashes(""), "");
}

TEST(LocalResolution, FileLinksBecomeSiteLinksInAnyLetterCase) {
  const auto links = resolvedLocal("<a href=\"file:///tmp/a.htm\">a</a>"
                                   "<a href=\"FILE:///tmp/b.htm\">b</a>"
                                   "<a href=\" file:///tmp/c.htm\">c</a>"
                                   "<a href=\"http://host:8080/d.htm\">d</a>"
                                   "<a href=\"https://host/e.htm\">e</a>",
                                   "/site", "p.htm", "/site");
  ASSERT_EQ(links.size(), 5u);
  EXPECT_EQ(links[0].type, LinkType::Site);
  EXPECT_EQ(links[0].target, "file:///tmp/a.htm");
  EXPECT_EQ(links[1].type, LinkType::Site);
  EXPECT_EQ(links[1].target, "FILE:///tmp/b.htm");
  EXPECT_EQ(links[2].type, LinkType::Site);
  EXPECT_EQ(links[2].target, " file:///tmp/c.htm"); // the value as written
  // Other absolute links keep scheme and port as written.
  EXPECT_EQ(links[3].type, LinkType::Remote);
  EXPECT_EQ(links[3].target, "http://host:8080/d.htm");
  EXPECT_EQ(links[4].type, LinkType::Remote);
  EXPECT_EQ(links[4].target, "https://host/e.htm");
}

TEST(LocalResolution, TargetKeepsCharacterReferencesAsWritten) {
  const auto links = resolvedLocal(anchor("tool&#45;&#45;daemon.html"), "/site", "p.htm", "/site");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].target, "/site/tool&#45;&#45;daemon.html");
}

TEST(RemoteResolution, RelativeLinksBecomeAddressesOnTheSubdomain) {
  const auto links =
      resolvedRemote(anchor("x.htm") + anchor("../up.htm") + anchor("/root.htm") + anchor("#top"),
                     "/dl/www/sub", "p.htm", "/dl", "/www/", "site.test");
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(links[0].target, "http://site.test/sub/x.htm");
  EXPECT_EQ(links[1].target, "http://site.test/up.htm");
  EXPECT_EQ(links[2].target, "http://site.test/root.htm");
  EXPECT_EQ(links[3].target, "http://site.test/sub/p.htm#top");
  for (const auto &link : links)
    EXPECT_EQ(link.type, LinkType::Local);
}

TEST(RemoteResolution, StepsAboveTheWebRootAreDroppedAsInABrowser) {
  const auto links = resolvedRemote(anchor("../x.htm") + anchor("../../a/./b/../y.htm") +
                                        anchor("./#top") + anchor("../?q"),
                                    "/dl/www", "p.htm", "/dl", "/www/", "S");
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(links[0].target, "http://S/x.htm");
  EXPECT_EQ(links[1].target, "http://S/a/y.htm");
  EXPECT_EQ(links[2].target, "http://S/#top");
  EXPECT_EQ(links[3].target, "http://S/?q");
}

TEST(LocalResolution, AnchorAfterAFolderStepNamesTheFolder) {
  const auto links = resolvedLocal(anchor("../#debug") + anchor("./?q") + anchor("#top"),
                                   "/site/a/b", "p.htm", "/site");
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].target, "/site/a/#debug");
  EXPECT_EQ(links[1].target, "/site/a/b/?q");
  EXPECT_EQ(links[2].target, "/site/a/b/p.htm#top");
}

TEST(RemoteResolution, SubdomainPathWithoutTrailingSlashAndPageInTheWebRoot) {
  auto links = resolvedRemote(anchor("x.htm"), "/dl/www/sub", "p.htm", "/dl", "/www", "S");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].target, "http://S/sub/x.htm");
  links = resolvedRemote(anchor("x.htm"), "/dl/www", "p.htm", "/dl", "/www/", "S");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].target, "http://S/x.htm");
}

TEST(RemoteResolution, PortInTheSubdomainNameIsKept) {
  const auto links = resolvedRemote(anchor("x.htm") + "<a href=\"http://127.0.0.1:8080/y\">y</a>",
                                    "/dl/www/sub", "p.htm", "/dl", "/www/", "127.0.0.1:8080");
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].target, "http://127.0.0.1:8080/sub/x.htm");
  EXPECT_EQ(links[1].type, LinkType::Site);
}

TEST(RemoteResolution, OnlyTheExactHostFollowedBySlashOrEndIsTheSite) {
  const auto links = resolvedRemote("<a href=\"http://site.test/a\">1</a>"
                                    "<a href=\"http://site.test\">2</a>"
                                    "<a href=\"http://site.test:8080/\">3</a>"
                                    "<a href=\"https://site.test/b\">4</a>"
                                    "<a href=\"http://Site.test/\">5</a>"
                                    "<a href=\"http://site.testing/\">6</a>"
                                    "<a href=\"http://other.test/site.test/\">7</a>",
                                    "/dl/www", "p.htm", "/dl", "/www/", "site.test");
  ASSERT_EQ(links.size(), 7u);
  EXPECT_EQ(links[0].type, LinkType::Site);
  EXPECT_EQ(links[1].type, LinkType::Site);
  EXPECT_EQ(links[2].type, LinkType::Remote); // a port makes it another site
  EXPECT_EQ(links[3].type, LinkType::Site);   // the scheme is not looked at
  EXPECT_EQ(links[4].type, LinkType::Remote); // letter case counts
  EXPECT_EQ(links[5].type, LinkType::Remote);
  EXPECT_EQ(links[6].type, LinkType::Remote);
  EXPECT_EQ(links[0].target, "http://site.test/a");
}

TEST(LinkValue, DropsTheOpeningQuoteAndStaysInsideTheText) {
  const std::string text = "x='abc' \"def\" ghi";
  LinkRecord link;
  link.valueStart = 2;
  link.valueEnd = 6;
  EXPECT_EQ(linkValue(text.data(), text.data() + text.size(), link), "abc");
  link.valueStart = 14;
  link.valueEnd = 17;
  EXPECT_EQ(linkValue(text.data(), text.data() + text.size(), link), "ghi");
  link.valueStart = 5;
  link.valueEnd = 5;
  EXPECT_EQ(linkValue(text.data(), text.data() + text.size(), link), "");
  link.valueStart = -40;
  link.valueEnd = 1 << 30;
  EXPECT_EQ(linkValue(text.data(), text.data() + text.size(), link), text);
  link.valueStart = 10;
  link.valueEnd = 3;
  EXPECT_EQ(linkValue(text.data(), text.data() + text.size(), link), "");
}

TEST(LocalResolution, SlashRunsInTheRootAndAtItsEndBecomeOne) {
  const auto links = resolvedLocal("<a href=\"x.htm\"><a href=\"/y.htm\"><a href=\"../../z.htm\">",
                                   "/site//docs//sub", "p.htm", "/site//docs/");
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].target, "/site/docs/sub/x.htm");
  EXPECT_EQ(links[1].target, "/site/docs/y.htm");
  EXPECT_EQ(links[2].target, "/site/docs/z.htm");
}
