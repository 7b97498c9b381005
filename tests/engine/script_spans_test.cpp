// The comments found inside script bodies, with strings skipped.
#include "scanned_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using linkmoor::test::ScannedPage;

namespace {

// The texts of the spans of the script body of "<script>" + body + "</script>".
std::vector<std::string> spansOf(const std::string &body) {
  ScannedPage page("<script>" + body + "</script>");
  std::vector<std::string> texts;
  const linkmoor::MarkupSegment &code = page.segment(1);
  EXPECT_EQ(code.kind, linkmoor::SegmentKind::ScriptCode);
  for (const auto &span : code.spans())
    texts.push_back(page.slice(span->start, span->end));
  return texts;
}

using Spans = std::vector<std::string>;

} // namespace

TEST(ScriptSpans, LineCommentRunsToJustAfterItsLineFeed) {
  EXPECT_EQ(spansOf("a(); // note\nb();"), Spans{"// note\n"});
  EXPECT_EQ(spansOf("a(); // last"), Spans{"// last"});
}

TEST(ScriptSpans, StringsAreSkippedAndHideCommentMarkers) {
  EXPECT_EQ(spansOf("var s = \"http://x.com/a\"; t = '/*';"), Spans{});
  EXPECT_EQ(spansOf("var s = \"say \\\"//\\\" \"; // c\n"), Spans{"// c\n"});
  EXPECT_EQ(spansOf("s = \"\"// right after an empty string\n"),
            Spans{"// right after an empty string\n"});
  // A quote without its partner runs to the body's end and ends the pass.
  EXPECT_EQ(spansOf("s = 'open // not a comment"), Spans{});
}

TEST(ScriptSpans, BlockCommentsCloseAtStarSlashOrRunToTheEnd) {
  EXPECT_EQ(spansOf("a /* one */ b /**/ c"), (Spans{"/* one */", "/**/"}));
  EXPECT_EQ(spansOf("a /*/ b"), Spans{"/*/ b"});
  EXPECT_EQ(spansOf("a; /* open\nb; c;"), Spans{"/* open\nb; c;"});
}

TEST(ScriptSpans, HtmlCommentMarkersInsideScripts) {
  EXPECT_EQ(spansOf("\n<!-- hide\ncode();\n// -->\n"), (Spans{"<!-- hide\n", "// -->\n"}));
  EXPECT_EQ(spansOf("code(); x--->"), Spans{"--->"});
  EXPECT_EQ(spansOf("<!--\n"), Spans{"<!--\n"});
}

TEST(ScriptSpans, CloseMarkerTakesTheWholeRunOfDashesButNotBeforeTheLastSpan) {
  EXPECT_EQ(spansOf("/*a*/--->"), (Spans{"/*a*/", "--->"}));
  EXPECT_EQ(spansOf("\"-\"-->"), Spans{"-->"});
}

TEST(ScriptSpans, ScriptBodyWithAnErrorGetsNoSpans) {
  ScannedPage page("<script>// comment\n");
  ASSERT_EQ(page.scanner.count(), 2);
  EXPECT_TRUE(page.segment(1).hasError());
  EXPECT_EQ(page.segment(1).count(), 0);
}

TEST(ScriptSpans, OnlyScriptBodiesGetSpans) {
  ScannedPage page("<p title=\"// x\"><!-- // y -->");
  for (int i = 0; i < page.scanner.count(); ++i)
    EXPECT_EQ(page.segment(i).count(), 0);
}
