// What the checks test for a target as built from the page: character
// references, escapes, anchors, queries and file URLs.
#include "engine/target_decoding.h"

#include <gtest/gtest.h>

using namespace linkmoor;

namespace {

std::string diskPath(const std::string &target) {
  std::string path = "unchanged";
  EXPECT_TRUE(diskPathOfTarget(target, path)) << target;
  return path;
}

} // namespace

TEST(CharacterReferences, NumericReferencesAsGeneratedManualsWriteThem) {
  EXPECT_EQ(decodeCharacterReferences("tool&#45;&#45;daemon.html"), "tool--daemon.html");
  EXPECT_EQ(decodeCharacterReferences("a&#x2D;b&#X2d;c"), "a-b-c");
  EXPECT_EQ(decodeCharacterReferences("&#0000045;"), "-");
  // Browsers take a numeric reference without its semicolon too.
  EXPECT_EQ(decodeCharacterReferences("a&#45b"), "a-b");
}

TEST(CharacterReferences, NamedReferences) {
  EXPECT_EQ(decodeCharacterReferences("list.php?a=1&amp;b=2"), "list.php?a=1&b=2");
  EXPECT_EQ(decodeCharacterReferences("&lt;&gt;&quot;&apos;"), "<>\"'");
  EXPECT_EQ(decodeCharacterReferences("&AMP;&LT;&GT;&QUOT;"), "&<>\"");
  EXPECT_EQ(decodeCharacterReferences("a&nbsp;b"), "a\xC2\xA0"
                                                   "b");
  // "&amp" without its semicolon is part of a query, not a reference.
  EXPECT_EQ(decodeCharacterReferences("?x=1&ampy=2"), "?x=1&ampy=2");
  EXPECT_EQ(decodeCharacterReferences("a&copy;b&unknown;"), "a&copy;b&unknown;");
}

TEST(CharacterReferences, CodePointsAbove127BecomeUtf8) {
  EXPECT_EQ(decodeCharacterReferences("caf&#233;"), "caf\xC3\xA9");
  EXPECT_EQ(decodeCharacterReferences("&#x20AC;"), "\xE2\x82\xAC");
  EXPECT_EQ(decodeCharacterReferences("&#x1F600;"), "\xF0\x9F\x98\x80");
}

TEST(CharacterReferences, InvalidCodePointsBecomeTheReplacementCharacter) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(decodeCharacterReferences("&#0;"), replacement);
  EXPECT_EQ(decodeCharacterReferences("&#xD800;"), replacement);
  EXPECT_EQ(decodeCharacterReferences("&#x110000;"), replacement);
  // Far too many digits for any integer: no overflow, one replacement.
  EXPECT_EQ(decodeCharacterReferences("&#" + std::string(400, '9') + ";x"), replacement + "x");
}

TEST(CharacterReferences, IncompleteReferencesStayAsWritten) {
  EXPECT_EQ(decodeCharacterReferences("&"), "&");
  EXPECT_EQ(decodeCharacterReferences("a&#;b"), "a&#;b");
  EXPECT_EQ(decodeCharacterReferences("a&#x;b"), "a&#x;b");
  EXPECT_EQ(decodeCharacterReferences("a&#xg;"), "a&#xg;");
  EXPECT_EQ(decodeCharacterReferences("a&amp"), "a&amp");
  EXPECT_EQ(decodeCharacterReferences("&&amp;&"), "&&&");
}

TEST(PercentEscapes, DecodesTwoHexDigitsOnly) {
  EXPECT_EQ(decodePercentEscapes("my%20page.htm"), "my page.htm");
  EXPECT_EQ(decodePercentEscapes("%41%4a%4A"), "AJJ");
  EXPECT_EQ(decodePercentEscapes("100%"), "100%");
  EXPECT_EQ(decodePercentEscapes("a%2"), "a%2");
  EXPECT_EQ(decodePercentEscapes("%zz%%41"), "%zz%A");
}

TEST(DiskPathOfTarget, CutsAnchorAndQuery) {
  EXPECT_EQ(diskPath("/site/page.htm#top"), "/site/page.htm");
  EXPECT_EQ(diskPath("/site/list.htm?x=1"), "/site/list.htm");
  EXPECT_EQ(diskPath("/site/list.htm?x=1#top"), "/site/list.htm");
  EXPECT_EQ(diskPath("/site/page.htm#a?b"), "/site/page.htm");
}

TEST(DiskPathOfTarget, DecodesReferencesBeforeCuttingAndEscapesAfter) {
  EXPECT_EQ(diskPath("/site/my%20page.htm"), "/site/my page.htm");
  EXPECT_EQ(diskPath("/site/tool&#45;&#45;daemon.html#opts"), "/site/tool--daemon.html");
  // A "#" written as a reference is an anchor to the browser too ...
  EXPECT_EQ(diskPath("/site/a&#35;b.htm"), "/site/a");
  // ... while an escaped one is part of the file name.
  EXPECT_EQ(diskPath("/site/a%23b.htm"), "/site/a#b.htm");
  EXPECT_EQ(diskPath("/site/a%3Fb.htm?q"), "/site/a?b.htm");
}

TEST(DiskPathOfTarget, FileUrlsBecomePaths) {
  EXPECT_EQ(diskPath("file:///tmp/x.htm"), "/tmp/x.htm");
  EXPECT_EQ(diskPath("FILE://LocalHost/tmp/x.htm"), "/tmp/x.htm");
  EXPECT_EQ(diskPath("file:/tmp/x.htm"), "/tmp/x.htm");
  EXPECT_EQ(diskPath("  file:///tmp/a%20b.htm#part \t"), "/tmp/a b.htm");
  EXPECT_EQ(diskPath("file:///tmp/a&amp;b.htm"), "/tmp/a&b.htm");
}

TEST(DiskPathOfTarget, FileUrlsOfOtherHostsNameNoLocalPath) {
  std::string path = "x";
  EXPECT_FALSE(diskPathOfTarget("file://server/share/x.htm", path));
  EXPECT_TRUE(path.empty());
  EXPECT_FALSE(diskPathOfTarget("file://localhost", path));
  EXPECT_FALSE(diskPathOfTarget("file://", path));
  EXPECT_FALSE(diskPathOfTarget("file:relative.htm", path));
  EXPECT_FALSE(diskPathOfTarget("file://localhostx/tmp", path));
}

TEST(DiskPathOfTarget, EscapedZeroByteStaysInThePath) {
  // The disk check refuses such a path rather than testing a shorter one.
  EXPECT_EQ(diskPath("/tmp/a%00b"), std::string("/tmp/a\0b", 8));
}

TEST(HttpAddressOfTarget, DecodesReferencesAndKeepsSchemeAndPort) {
  EXPECT_EQ(httpAddressOfTarget("https://host:8443/a?x=1&amp;y=2#top"),
            "https://host:8443/a?x=1&y=2#top");
  EXPECT_EQ(httpAddressOfTarget("http://host/tool&#45;&#45;daemon.html"),
            "http://host/tool--daemon.html");
}

TEST(EscapeForDiskTarget, TheDiskPathReadsTheTextBack) {
  EXPECT_EQ(escapeForDiskTarget("/a b/c.htm"), "/a b/c.htm");
  EXPECT_EQ(escapeForDiskTarget("100%#1?&amp;"), "100%25%231%3F%26amp;");
  EXPECT_EQ(escapeForDiskTarget(" x\t "), "%20x%09%20");
  for (const std::string text :
       {"/100% #1?.htm", "/&#46;&#46;/x", " lead", "trail \x01", "/a%2e%2e/b", "/\x7f/z"})
    EXPECT_EQ(diskPath("/r/" + escapeForDiskTarget(text) + "#part"), "/r/" + text) << text;
}
