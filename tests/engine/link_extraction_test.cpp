// Attribute links and absolute links, found after the text was prepared.
#include "scanned_page.h"

#include "engine/link_attributes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using linkmoor::LinkType;
using linkmoor::test::ScannedPage;

namespace {

struct Found {
  std::string value;
  std::string attribute;
  LinkType type;
  bool operator==(const Found &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Found &f) {
  return out << "{" << f.value << ", " << f.attribute << ", " << static_cast<int>(f.type) << "}";
}

std::vector<Found> extracted(const std::string &text, bool noteLinks) {
  ScannedPage page(text, noteLinks);
  page.extractLinks();
  std::vector<Found> found;
  for (int i = 0; i < page.scanner.links.count(); ++i) {
    const linkmoor::LinkRecord *link = page.scanner.links.at(i);
    found.push_back({page.linkValue(i), link->attribute, link->type});
  }
  return found;
}

// The links of `text` from the kept tags; the scan that notes link values as it
// goes must find the same ones.
std::vector<Found> linksOf(const std::string &text) {
  std::vector<Found> found = extracted(text, false);
  EXPECT_EQ(extracted(text, true), found) << "noted while scanning: " << text;
  return found;
}

using Links = std::vector<Found>;
constexpr LinkType local = LinkType::Local;
constexpr LinkType remote = LinkType::Remote;

} // namespace

TEST(AttributeLinks, NameIsKeptAsWrittenAndOnlyQuotedValuesCount) {
  EXPECT_EQ(linksOf("<A HREF=\"Page.htm\">x</A>"), (Links{{"Page.htm", "HREF", local}}));
  EXPECT_EQ(linksOf("<a href=page.htm>x</a>"), Links{});
  EXPECT_EQ(linksOf("<a href = \n 'Other.htm'>"), (Links{{"Other.htm", "href", local}}));
}

TEST(AttributeLinks, OnlyKnownAttributesOfNormalTags) {
  EXPECT_EQ(linksOf("<img src=\"a.gif\" alt=\"pic.gif\">"), (Links{{"a.gif", "src", local}}));
  EXPECT_EQ(linksOf("<script src=\"x.js\"></script>"), Links{});
  EXPECT_EQ(
      linksOf("<body BackGround=\"b.jpg\"><form action=\"go.cgi\"><x url=\"u\">"),
      (Links{{"b.jpg", "BackGround", local}, {"go.cgi", "action", local}, {"u", "url", local}}));
}

TEST(AttributeLinks, MailScriptCallsAndAbsoluteValuesAreSkipped) {
  EXPECT_EQ(linksOf("<a href=\"mailto:me@x.org\"><a href=\"MailTo \t:me@x.org\">"), Links{});
  EXPECT_EQ(linksOf("<a href=\"javascript:go(1)\">"), Links{});
  EXPECT_EQ(linksOf("<a href=\"mailtox.htm\">"), (Links{{"mailtox.htm", "href", local}}));
}

TEST(AttributeLinks, LastRunOfLettersBeforeTheEqualsSignIsTheName) {
  EXPECT_EQ(linksOf("<a xlink:href=\"x.htm\">"), (Links{{"x.htm", "href", local}}));
  EXPECT_EQ(linksOf("<a data-src=\"x.htm\">"), (Links{{"x.htm", "src", local}}));
  EXPECT_EQ(linksOf("<a title=\"t\"href=\"y.htm\">"), (Links{{"y.htm", "href", local}}));
  // A quote right at the cursor is skipped with its value; no name precedes it.
  EXPECT_EQ(linksOf("<a \"href\"=\"z.htm\">"), Links{});
}

TEST(AttributeLinks, BackslashesBecomeSlashesAndCaseIsRestored) {
  EXPECT_EQ(linksOf("<a href=\"Dir\\Page.HTM\">"), (Links{{"Dir/Page.HTM", "href", local}}));
}

TEST(AbsoluteLinks, DoubleQuotedValueGivesOneAbsoluteLinkSingleQuotedNone) {
  EXPECT_EQ(linksOf("<a href=\"http://x.com/a.htm\">"),
            (Links{{"http://x.com/a.htm", "", remote}}));
  EXPECT_EQ(linksOf("<a href='http://x.com/a.htm'>"), Links{});
}

TEST(AbsoluteLinks, UnquotedValueNeedsABlankAfterIt) {
  EXPECT_EQ(linksOf("<a href=http://x.com/a.htm >"), (Links{{"http://x.com/a.htm", "", remote}}));
  EXPECT_EQ(linksOf("<a href=http://x.com/a.htm>"), Links{});
  // Blanks between the delimiter and the scheme stay part of the value.
  EXPECT_EQ(linksOf("<a href=  ftp://x.com >"), (Links{{"  ftp://x.com", "", remote}}));
}

TEST(AbsoluteLinks, EveryCharacterOfAnAddressIsPartOfTheLink) {
  EXPECT_EQ(linksOf("<a href=\"http://my-site.com/\">"),
            (Links{{"http://my-site.com/", "", remote}}));
  EXPECT_EQ(linksOf("<a href=\"https://github.com/some-org/some-repo\">"),
            (Links{{"https://github.com/some-org/some-repo", "", remote}}));
  EXPECT_EQ(linksOf("<a href=\"http://x.com/a%20b\">"),
            (Links{{"http://x.com/a%20b", "", remote}}));
  const std::string every = "http://u:p@h-1.x.com:80/~a/b_c.d;e=f,g+h*i!j$k'l(m)n[o]?q=1&r#s";
  EXPECT_EQ(linksOf("<a href=\"" + every + "\">"), (Links{{every, "", remote}}));
  // Bytes above 127: an internationalised host written in the page's encoding.
  EXPECT_EQ(linksOf("<a href=\"http://b\xC3\xBC"
                    "cher.de/\">"),
            (Links{{"http://b\xC3\xBC"
                    "cher.de/",
                    "", remote}}));
  EXPECT_EQ(linksOf("<a href=\"http://\">"), Links{});
  EXPECT_EQ(linksOf("<a href=\"://x.com\">"), Links{});
  EXPECT_EQ(linksOf("<a href=\"http://x.com/?a=1&b=2#top\">"),
            (Links{{"http://x.com/?a=1&b=2#top", "", remote}}));
}

TEST(AbsoluteLinks, CharactersOutsideTheUrlSetStopTheLink) {
  for (const char *stop : {"<", ">", "{", "}", "|", "^", "`", "\t"})
    EXPECT_EQ(linksOf(std::string("<a href=\"http://x.com/a") + stop + "b\">"), Links{}) << stop;
  EXPECT_EQ(linksOf("<a href=http://x.com/a>"), Links{});
}

TEST(AbsoluteLinks, UnquotedValueEndsAtTheFirstBlankWhateverItHolds) {
  EXPECT_EQ(linksOf("<a href=http://x-y.com/a;b,c@d%41 title=\"t\">"),
            (Links{{"http://x-y.com/a;b,c@d%41", "", remote}}));
}

TEST(AbsoluteLinks, ParenthesesCloseWithParenthesesAnywhereInTheText) {
  EXPECT_EQ(linksOf("<div style=\"background:url(http://x.com/b.gif)\">"),
            (Links{{"http://x.com/b.gif", "", remote}}));
  EXPECT_EQ(linksOf("see (http://x.com/) here, or http://y.com/ there"),
            (Links{{"http://x.com/", "", remote}}));
  // The first ")" closes the value, though it is a character of addresses.
  EXPECT_EQ(linksOf("a (http://x.com/a-b)c) (http://y.com/(z))"),
            (Links{{"http://x.com/a-b", "", remote}, {"http://y.com/(z", "", remote}}));
}

TEST(AbsoluteLinks, ScriptStringsCountButCommentsAreBlanked) {
  EXPECT_EQ(linksOf("<script>u = \"http://a.com/x\";</script>"),
            (Links{{"http://a.com/x", "", remote}}));
  EXPECT_EQ(linksOf("<script>// u = \"http://a.com/x\";\n</script>"), Links{});
  EXPECT_EQ(linksOf("<script>/* \"http://a.com/x\" */</script>"), Links{});
  EXPECT_EQ(linksOf("<!-- <a href=\"http://b.com/\"> <a href=\"c.htm\"> -->"), Links{});
}

TEST(AbsoluteLinks, TextStartingWithTheMarkerIsPassedOver) {
  EXPECT_EQ(linksOf("://x.com\" (http://y.com)"), (Links{{"http://y.com", "", remote}}));
}

TEST(LinkOrder, LinksAreListedInTextOrderWhicheverSearchFoundThem) {
  const Links found = linksOf("<a href=\"a.htm\"><a href=\"http://r.com/\"><img src=\"b.gif\">"
                              "<p style=\"x:url(http://s.com/i)\"><a href=\"c.htm\">");
  EXPECT_EQ(found, (Links{{"a.htm", "href", local},
                          {"http://r.com/", "", remote},
                          {"b.gif", "src", local},
                          {"http://s.com/i", "", remote},
                          {"c.htm", "href", local}}));
}

TEST(LinkOrder, ValueOffsetsPointAtTheQuoteOrPastTheDelimiter) {
  ScannedPage page("<a href=\"x.htm\"> <b style=\"url(http://a.b)\">");
  page.extractLinks();
  ASSERT_EQ(page.scanner.links.count(), 2);
  EXPECT_EQ(page.scanner.links.at(0)->valueStart, 8);
  EXPECT_EQ(page.scanner.links.at(0)->valueEnd, 14);
  EXPECT_EQ(page.scanner.links.at(1)->valueStart, 31);
  EXPECT_EQ(page.scanner.links.at(1)->valueEnd, 41);
}

TEST(FindName, BinarySearchIgnoresLetterCaseAndGivesTheInsertPosition) {
  const auto *table = linkmoor::linkAttributeTable.data();
  const int last = static_cast<int>(linkmoor::linkAttributeTable.size()) - 1;
  for (int i = 0; i <= last; ++i) {
    const auto hit = linkmoor::findName(table, 0, last, linkmoor::linkAttributeTable[i]);
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.position, i);
  }
  EXPECT_TRUE(linkmoor::findName(table, 0, last, "CodeBase").found);
  const auto alt = linkmoor::findName(table, 0, last, "alt");
  EXPECT_FALSE(alt.found);
  EXPECT_EQ(alt.position, 1); // between "action" and "background"
  EXPECT_FALSE(linkmoor::findName(table, 0, last, "hre").found);
  EXPECT_FALSE(linkmoor::findName(table, 0, last, "hrefs").found);
  EXPECT_EQ(linkmoor::findName(table, 0, last, "zzz").position, 10);
  EXPECT_EQ(linkmoor::findName(table, 0, last, "").position, 0);
}

TEST(AttributeLinks, EveryTableNameInAnyLetterCaseAndNoNearMiss) {
  for (std::string_view name : linkmoor::linkAttributeTable) {
    std::string upper(name), mixed(name);
    for (char &c : upper)
      c = static_cast<char>(c - 'a' + 'A');
    mixed[0] = static_cast<char>(mixed[0] - 'a' + 'A');
    for (const std::string &written : {std::string(name), upper, mixed})
      EXPECT_EQ(linksOf("<x " + written + "=\"v.htm\">"), (Links{{"v.htm", written, local}}));
    // Same first letter and length, or one letter more or less: not link attributes.
    std::string other(name);
    other.back() = other.back() == 'z' ? 'y' : 'z';
    EXPECT_EQ(linksOf("<x " + other + "=\"v.htm\">"), Links{}) << other;
    EXPECT_EQ(linksOf("<x " + std::string(name) + "s=\"v.htm\">"), Links{}) << name;
    EXPECT_EQ(linksOf("<x " + std::string(name.substr(1)) + "=\"v.htm\">"), Links{}) << name;
  }
}

TEST(NotedLinks, PlainTagsAreCountedAndTagsWithAnErrorKept) {
  // Script tags, comments and script bodies are kept; so is a tag with an error.
  const std::string text = "<p class=\"a\"><script src=\"s.js\">var a;</script><!-- c -->"
                           "< br><img src=\"i.gif\"><a href=\"x";
  ScannedPage kept(text);
  ScannedPage noted(text, true);
  int keptNormal = 0;
  for (const auto &segment : kept.scanner.segments())
    if (segment->kind == linkmoor::SegmentKind::NormalTag) ++keptNormal;
  ASSERT_EQ(keptNormal, 4);
  EXPECT_EQ(noted.scanner.plainTagCount(), 2);
  ASSERT_EQ(noted.scanner.count(), kept.scanner.count() - 2);
  std::vector<linkmoor::SyntaxErrorCode> errors;
  for (const auto &segment : noted.scanner.segments())
    if (segment->kind == linkmoor::SegmentKind::NormalTag) errors.push_back(segment->errorCode);
  EXPECT_EQ(errors, (std::vector{linkmoor::SyntaxErrorCode::BlankAfterOpen,
                                 linkmoor::SyntaxErrorCode::NoStringEnd}));
}
