// The segment scan: kinds, ends and the first syntax error of each segment.
#include "scanned_page.h"

#include <gtest/gtest.h>

using linkmoor::MarkupSegment;
using linkmoor::SegmentKind;
using linkmoor::SyntaxErrorCode;
using linkmoor::test::ScannedPage;

namespace {

void expectSegment(const MarkupSegment &s, SegmentKind kind, int start, int end,
                   SyntaxErrorCode code = SyntaxErrorCode::None, int errorPos = 0) {
  EXPECT_EQ(s.kind, kind);
  EXPECT_EQ(s.start, start);
  EXPECT_EQ(s.end, end);
  EXPECT_EQ(s.errorCode, code);
  if (code != SyntaxErrorCode::None) {
    EXPECT_EQ(s.errorPos, errorPos);
  }
}

} // namespace

TEST(SegmentScan, TagsEndAfterTheirBraceAndTextBetweenIsNotASegment) {
  ScannedPage page("hello <b class=\"x\">bold</b> <!DOCTYPE html>");
  ASSERT_EQ(page.scanner.count(), 3);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 6, 19);
  expectSegment(page.segment(1), SegmentKind::NormalTag, 23, 27);
  expectSegment(page.segment(2), SegmentKind::NormalTag, 28, 43);
}

TEST(SegmentScan, PageWithoutAnyOpeningBraceHasNoSegments) {
  ScannedPage page("just text > with a brace\nand lines");
  EXPECT_EQ(page.scanner.count(), 0);
  ScannedPage empty("");
  EXPECT_EQ(empty.scanner.count(), 0);
}

TEST(SegmentScan, BlankAfterOpeningBraceIsError5AndTheTagSkipsQuotedBraces) {
  ScannedPage page("a < b \"x>y\" c> rest");
  ASSERT_EQ(page.scanner.count(), 1);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 2, 14, SyntaxErrorCode::BlankAfterOpen, 4);
}

TEST(SegmentScan, UnclosedQuoteIsError15AndTheScanResumesAtTheQuote) {
  ScannedPage page("<a href=\"x>text<b>");
  ASSERT_EQ(page.scanner.count(), 2);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 0, 8, SyntaxErrorCode::NoStringEnd, 8);
  expectSegment(page.segment(1), SegmentKind::NormalTag, 15, 18);
}

TEST(SegmentScan, OnlyTheFirstErrorOfASegmentIsKept) {
  ScannedPage page("< a 'x");
  ASSERT_EQ(page.scanner.count(), 1);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 0, 4, SyntaxErrorCode::BlankAfterOpen, 2);
}

TEST(SegmentScan, LoneBraceIsATagWithoutEnd) {
  ScannedPage page("<");
  ASSERT_EQ(page.scanner.count(), 1);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 0, 1, SyntaxErrorCode::NoEndBrace, 1);
  ScannedPage tail("text <a href=x");
  ASSERT_EQ(tail.scanner.count(), 1);
  expectSegment(tail.segment(0), SegmentKind::NormalTag, 5, 14, SyntaxErrorCode::NoEndBrace, 6);
}

TEST(SegmentScan, ScriptInAnyCaseGivesScriptTagBodyAndEndTag) {
  ScannedPage page("<SCRIPT>var a;</SCRIPT >x");
  ASSERT_EQ(page.scanner.count(), 3);
  expectSegment(page.segment(0), SegmentKind::ScriptTag, 0, 8);
  expectSegment(page.segment(1), SegmentKind::ScriptCode, 8, 14);
  expectSegment(page.segment(2), SegmentKind::EndTag, 14, 24);
}

TEST(SegmentScan, BlankBeforeScriptMakesANormalTag) {
  ScannedPage page("< script>var a = \"<b>\";");
  ASSERT_EQ(page.scanner.count(), 2);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 0, 9, SyntaxErrorCode::BlankAfterOpen, 2);
  // Outside a script body the `<b>` inside the string is a tag of its own.
  expectSegment(page.segment(1), SegmentKind::NormalTag, 18, 21);
}

TEST(SegmentScan, ScriptBodyHidesTagsAndQuotesInsideTheScriptTagAreSkipped) {
  ScannedPage page("<script src=\"a>b\">if (a<b) x = '<p>';</script><p>");
  ASSERT_EQ(page.scanner.count(), 4);
  expectSegment(page.segment(0), SegmentKind::ScriptTag, 0, 18);
  expectSegment(page.segment(1), SegmentKind::ScriptCode, 18, 37);
  expectSegment(page.segment(2), SegmentKind::EndTag, 37, 46);
  expectSegment(page.segment(3), SegmentKind::NormalTag, 46, 49);
}

TEST(SegmentScan, ScriptWithoutClosingTagRunsToTheEndWithError10) {
  ScannedPage page("<script>var a;\nvar b;");
  ASSERT_EQ(page.scanner.count(), 2);
  expectSegment(page.segment(0), SegmentKind::ScriptTag, 0, 8);
  expectSegment(page.segment(1), SegmentKind::ScriptCode, 8, 21, SyntaxErrorCode::NoEndBrace, 8);
}

TEST(SegmentScan, ScriptTagWithoutBraceLeavesAnEmptyBodyAtTheEnd) {
  ScannedPage page("<script src=x");
  ASSERT_EQ(page.scanner.count(), 2);
  expectSegment(page.segment(0), SegmentKind::ScriptTag, 0, 13, SyntaxErrorCode::NoEndBrace, 1);
  expectSegment(page.segment(1), SegmentKind::ScriptCode, 13, 13, SyntaxErrorCode::NoEndBrace, 13);
}

TEST(SegmentScan, ScriptEndTagWithoutBraceIsError10AtItsStart) {
  ScannedPage page("<script>x</script");
  ASSERT_EQ(page.scanner.count(), 3);
  expectSegment(page.segment(1), SegmentKind::ScriptCode, 8, 9);
  expectSegment(page.segment(2), SegmentKind::EndTag, 9, 17, SyntaxErrorCode::NoEndBrace, 9);
}

TEST(SegmentScan, ScriptEndTagIgnoresQuotes) {
  ScannedPage page("<script></script \">\"");
  ASSERT_EQ(page.scanner.count(), 3);
  expectSegment(page.segment(2), SegmentKind::EndTag, 8, 19);
}

TEST(SegmentScan, CommentsAndTheirThreeErrors) {
  ScannedPage good("<!-- <a href=\"x\"> -->");
  ASSERT_EQ(good.scanner.count(), 1);
  expectSegment(good.segment(0), SegmentKind::Comment, 0, 21);

  ScannedPage bang("<! -- x -->");
  ASSERT_EQ(bang.scanner.count(), 1);
  expectSegment(bang.segment(0), SegmentKind::Comment, 0, 11, SyntaxErrorCode::BlankAfterBang, 3);

  ScannedPage dash("<!- - x -->");
  ASSERT_EQ(dash.scanner.count(), 1);
  expectSegment(dash.segment(0), SegmentKind::Comment, 0, 11, SyntaxErrorCode::BlankAfterDash, 4);

  ScannedPage open("<!-- x");
  ASSERT_EQ(open.scanner.count(), 1);
  expectSegment(open.segment(0), SegmentKind::Comment, 0, 6, SyntaxErrorCode::NoCommentEnd, 4);
}

TEST(SegmentScan, ShortestCommentsCloseOnlyAfterBothDashes) {
  ScannedPage complete("<!---->x");
  ASSERT_EQ(complete.scanner.count(), 1);
  expectSegment(complete.segment(0), SegmentKind::Comment, 0, 7);
  for (const char *text : {"<!-->", "<!--->"}) {
    ScannedPage page(text);
    ASSERT_EQ(page.scanner.count(), 1) << text;
    EXPECT_EQ(page.segment(0).errorCode, SyntaxErrorCode::NoCommentEnd) << text;
    EXPECT_EQ(page.segment(0).errorPos, 4) << text;
  }
}

TEST(SegmentScan, BangWithoutTwoDashesIsANormalTag) {
  ScannedPage page("<!-x><!");
  ASSERT_EQ(page.scanner.count(), 2);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 0, 5);
  expectSegment(page.segment(1), SegmentKind::NormalTag, 5, 7, SyntaxErrorCode::NoEndBrace, 6);
}

TEST(SegmentScan, TextEndsAtItsFirstZeroByte) {
  const char text[] = "<a>\0<b>";
  ScannedPage page(std::string_view(text, sizeof text - 1));
  ASSERT_EQ(page.scanner.count(), 1);
  expectSegment(page.segment(0), SegmentKind::NormalTag, 0, 3);
}

TEST(SegmentScan, ClearEmptiesTheScannerForTheNextPage) {
  ScannedPage page("<a href=\"x.htm\">");
  page.extractLinks();
  ASSERT_EQ(page.scanner.links.count(), 1);
  page.scanner.clear();
  EXPECT_EQ(page.scanner.count(), 0);
  EXPECT_EQ(page.scanner.links.count(), 0);
}

TEST(SegmentScan, AClearedScannerKeepsTheRoomItsArraysGrewTo) {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "<a href=\"p" + std::to_string(i) + ".htm\">x</a>\n";
  linkmoor::HtmlScanner scanner;
  scanner.scan(text.data(), text.data() + text.size());
  scanner.extractLinks(text.data(), text.data() + text.size());
  ASSERT_EQ(scanner.count(), 600);
  ASSERT_EQ(scanner.links.count(), 300);
  const int segmentRoom = scanner.capacity();
  const int linkRoom = scanner.links.capacity();

  // The next page of the same size grows nothing: no block is copied again.
  scanner.clear();
  EXPECT_EQ(scanner.count(), 0);
  EXPECT_EQ(scanner.links.count(), 0);
  EXPECT_EQ(scanner.capacity(), segmentRoom);
  EXPECT_EQ(scanner.links.capacity(), linkRoom);
  scanner.scan(text.data(), text.data() + text.size());
  scanner.extractLinks(text.data(), text.data() + text.size());
  EXPECT_EQ(scanner.count(), 600);
  EXPECT_EQ(scanner.links.count(), 300);
  EXPECT_EQ(scanner.capacity(), segmentRoom);
  EXPECT_EQ(scanner.links.capacity(), linkRoom);
  EXPECT_EQ(scanner.at(599)->kind, SegmentKind::NormalTag);
}
