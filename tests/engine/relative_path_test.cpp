// Resolving relative link values against their page's folder.
#include "engine/relative_path.h"

#include <gtest/gtest.h>

using linkmoor::resolveRelative;

TEST(ResolveRelative, PageInASubFolder) {
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "x.htm"), "/a/b/x.htm");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "../x.htm"), "/a/x.htm");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "../../x.htm"), "x.htm");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "/img/x.gif"), "/img/x.gif");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "#top"), "/a/b/p.htm#top");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "?q=1"), "/a/b/p.htm?q=1");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", ""), "/a/b");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "./x.htm"), "/a/b/x.htm");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "sub/x.htm#n"), "/a/b/sub/x.htm#n");
}

TEST(ResolveRelative, PageInTheRootFolder) {
  EXPECT_EQ(resolveRelative("/", "p.htm", "x.htm"), "x.htm");
  EXPECT_EQ(resolveRelative("/", "p.htm", "../x.htm"), "../x.htm");
  EXPECT_EQ(resolveRelative("/", "p.htm", "#top"), "p.htm#top");
  EXPECT_EQ(resolveRelative("/", "p.htm", ""), "");
  EXPECT_EQ(resolveRelative("/", "p.htm", "/x.htm"), "/x.htm");
}

TEST(ResolveRelative, StepsAboveTheRootStayInTheValue) {
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "../../../x.htm"), "../x.htm");
  EXPECT_EQ(resolveRelative("/a/", "p.htm", "../#top"), "/#top");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "../"), "/a");
}

TEST(ResolveRelative, LeadingBlanksAreDropped) {
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", " \t\n../x.htm"), "/a/x.htm");
}

TEST(ResolveRelative, CurrentFolderStepsAmongParentStepsStayInPlace) {
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", ".././x.htm"), "/a/x.htm");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "./../x.htm"), "/a/x.htm");
  EXPECT_EQ(resolveRelative("/a/b/c/", "p.htm", "../././../x.htm"), "/a/x.htm");
}

TEST(ResolveRelative, BaseWithoutSlashesIsTakenAsTheRoot) {
  EXPECT_EQ(resolveRelative("", "p.htm", "../x.htm"), "../x.htm");
  EXPECT_EQ(resolveRelative("a", "p.htm", "#t"), "p.htm#t");
}

TEST(ResolveRelative, AnchorOrQueryAfterAFolderStepRefersToTheFolder) {
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "../#debug"), "/a/#debug");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "./#x"), "/a/b/#x");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "../?q"), "/a/?q");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "../../#x"), "/#x");
  EXPECT_EQ(resolveRelative("/", "p.htm", "./#x"), "/#x");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", " ./?q"), "/a/b/?q");
}

TEST(ResolveRelative, AnchorOrQueryAtTheStartStillRefersToThePage) {
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", "#x"), "/a/b/p.htm#x");
  EXPECT_EQ(resolveRelative("/a/b/", "p.htm", " \t?q"), "/a/b/p.htm?q");
  EXPECT_EQ(resolveRelative("/", "p.htm", "?q"), "p.htm?q");
}

TEST(ResolveRelative, OneBufferServesManyValuesWithoutGrowing) {
  std::string buffer = "left over from the link before, longer than any result here";
  const char *const block = buffer.data();
  const char *values[] = {"x.htm", "../x.htm", "#top", "", "/img/x.gif", "../../../x.htm", "./?q"};
  for (const char *value : values) {
    linkmoor::resolveRelativeInto("/a/b/", "p.htm", value, buffer);
    EXPECT_EQ(buffer, resolveRelative("/a/b/", "p.htm", value)) << value;
    EXPECT_EQ(buffer.data(), block) << "the buffer's block is reused";
  }
}
