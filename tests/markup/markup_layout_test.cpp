// The markup tag language and its layout, measured with predictable sizes.
#include "fake_measure.h"
#include "markup/markup_layout.h"

#include <gtest/gtest.h>

namespace linkmoor {
namespace {

using test::FakeMeasure;

class MarkupLayoutTest : public ::testing::Test {
protected:
  MarkupLayout lay(const std::string &text, int width = 200) {
    MarkupLayoutSettings settings;
    settings.width = width;
    settings.ruleColor = {128, 128, 128};
    return layoutMarkup(text, settings, measure);
  }
  // The text steps of the normal picture.
  static std::vector<MarkupDraw> texts(const MarkupLayout &layout) {
    std::vector<MarkupDraw> out;
    for (const MarkupDraw &step : layout.normal)
      if (step.kind == MarkupDraw::Kind::Text) out.push_back(step);
    return out;
  }
  FakeMeasure measure;
};

TEST_F(MarkupLayoutTest, PlainTextIsArial12CentredOneLinePerLineFeed) {
  const MarkupLayout layout = lay("Hello\nWorld!");
  const auto runs = texts(layout);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].text, "Hello");
  EXPECT_EQ(runs[1].text, "World!");
  for (const MarkupDraw &run : runs) {
    EXPECT_EQ(run.font.face, "Arial");
    EXPECT_EQ(run.font.size, 12);
    EXPECT_FALSE(run.font.bold);
    EXPECT_EQ(run.color, MarkupColor(Rgb{0, 0, 0}));
    EXPECT_FALSE(run.background.has_value());
  }
  // 6 pixels a character, centred in 200.
  EXPECT_EQ(runs[0].rect, (MarkupRect{100 - 15, 0, 30, 14}));
  EXPECT_EQ(runs[1].rect, (MarkupRect{100 - 18, 14, 36, 14}));
  EXPECT_EQ(layout.contentHeight, 28);
  EXPECT_TRUE(layout.hover.empty());
  EXPECT_TRUE(layout.links.empty());
}

TEST_F(MarkupLayoutTest, EmptyLinesTakeTheHeightOfABlank) {
  EXPECT_EQ(lay("a\n\nb").contentHeight, 3 * 14);
  EXPECT_EQ(lay("<font size=\"20\">\n</font>").contentHeight, 22 + 14);
}

TEST_F(MarkupLayoutTest, BrBreaksTheLineAndPAddsAnEmptyLine) {
  const auto br = texts(lay("one<br>two"));
  ASSERT_EQ(br.size(), 2u);
  EXPECT_EQ(br[0].rect.y, 0);
  EXPECT_EQ(br[1].rect.y, 14);
  EXPECT_EQ(lay("one<br>two").contentHeight, 28);

  const MarkupLayout p = lay("one<p>two");
  const auto runs = texts(p);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].text, "one");
  EXPECT_EQ(runs[1].text, "two");
  EXPECT_EQ(runs[1].rect.y, 28);
  EXPECT_EQ(p.contentHeight, 42);
}

TEST_F(MarkupLayoutTest, SizesOutsideOneTo1999LeaveTheSize) {
  EXPECT_EQ(texts(lay("<font size=\"0\">x</font>"))[0].font.size, 12);
  EXPECT_EQ(texts(lay("<font size=\"2000\">x</font>"))[0].font.size, 12);
  EXPECT_EQ(texts(lay("<font size=\"1\">x</font>"))[0].font.size, 1);
  EXPECT_EQ(texts(lay("<font size=\"1999\">x</font>"))[0].font.size, 1999);
}

TEST_F(MarkupLayoutTest, StyleMinusLetterTurnsOffAndLettersTurnOn) {
  const auto runs = texts(lay("<font style=\"b\">bold<font style=\"-b\">thin</font></font>"
                              "<font style=\"bu\">both</font><font style=\"BI\">caps</font>"));
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_TRUE(runs[0].font.bold);
  EXPECT_FALSE(runs[1].font.bold);
  EXPECT_FALSE(runs[1].font.underline);
  EXPECT_TRUE(runs[2].font.bold);
  EXPECT_TRUE(runs[2].font.underline);
  EXPECT_FALSE(runs[2].font.italic);
  EXPECT_TRUE(runs[3].font.bold);
  EXPECT_TRUE(runs[3].font.italic);
}

TEST_F(MarkupLayoutTest, StrayClosingFontChangesNothing) {
  const auto runs = texts(lay("</font><font size=\"20\">a</font></font>b<font "
                              "color=\"255,0,0\">c</font>"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].font.size, 20);
  EXPECT_EQ(runs[1].font, MarkupFontState{});
  EXPECT_EQ(runs[2].color, MarkupColor(Rgb{255, 0, 0}));
}

TEST_F(MarkupLayoutTest, FontWithoutAttributesPushesNothing) {
  // A bare font tag pushes nothing, so the next closing tag closes the outer one.
  const auto runs = texts(lay("<font size=\"20\"><font>a</font>b</font>c"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].font.size, 20);
  EXPECT_EQ(runs[1].font.size, 12);
  EXPECT_EQ(runs[2].font.size, 12);
}

TEST_F(MarkupLayoutTest, BlankBetweenEqualsAndQuoteIsIgnored) {
  EXPECT_EQ(texts(lay("<font size= \"30\">x</font>"))[0].font.size, 12);
  EXPECT_EQ(texts(lay("<font size=\"30\">x</font>"))[0].font.size, 30);
  EXPECT_EQ(texts(lay("<FONT  Size='30' >x</font>"))[0].font.size, 30);
}

TEST_F(MarkupLayoutTest, ABareWordBeforeAnAttributeIsIgnored) {
  EXPECT_EQ(texts(lay("<font big size=\"30\">x</font>"))[0].font.size, 30);
}

TEST_F(MarkupLayoutTest, ColourValues) {
  const auto runs = texts(lay("<font color=\"10,20,30\" background=\"1,2,3\">a"
                              "<font color=\"none\" background=\"transparant\">b"
                              "<font color=\"9,9\" background=\"\">c</font></font></font>"
                              "<font color=\"300,-5,7\">d</font>"));
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].color, MarkupColor(Rgb{10, 20, 30}));
  EXPECT_EQ(runs[0].background, MarkupColor(Rgb{1, 2, 3}));
  EXPECT_FALSE(runs[1].color.has_value());
  EXPECT_FALSE(runs[1].background.has_value());
  EXPECT_FALSE(runs[2].color.has_value()); // too few commas: left as it was
  EXPECT_EQ(runs[3].color, MarkupColor(Rgb{255, 0, 7}));
}

TEST_F(MarkupLayoutTest, LinesAlignByTheBlockInForceAtTheirEnd) {
  // The line feed after the closing tag ends the line under the centred block.
  EXPECT_EQ(texts(lay("<font align=\"left\">ab</font>\n"))[0].rect.x, 100 - 6);
}

TEST_F(MarkupLayoutTest, AlignmentOfLinesAndItems) {
  const auto runs = texts(lay("<font align=\"left\">ab\n</font><font align=\"right\">ab\n</font>"
                              "<font valign=\"top\">a</font><font size=\"20\">B</font>"
                              "<font valign=\"bottom\">c</font>d"));
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0].rect.x, 0);
  EXPECT_EQ(runs[1].rect.x, 200 - 12);
  // Third line: 6 + 10 + 6 + 6 = 28 wide, 22 high, centred.
  const int left = 100 - 14;
  EXPECT_EQ(runs[2].rect, (MarkupRect{left, 28, 6, 14}));
  EXPECT_EQ(runs[3].rect, (MarkupRect{left + 6, 28, 10, 22}));
  EXPECT_EQ(runs[4].rect, (MarkupRect{left + 16, 28 + 8, 6, 14}));
  EXPECT_EQ(runs[5].rect, (MarkupRect{left + 22, 28 + 4, 6, 14}));
}

TEST_F(MarkupLayoutTest, TagEndsAtGreaterThanEvenInsideAValue) {
  const auto runs = texts(lay("<font color=\"1,2>x"));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, "x");
  EXPECT_EQ(runs[0].font, MarkupFontState{});
}

TEST_F(MarkupLayoutTest, LinksGetAreasAndHoverRendering) {
  const MarkupLayout layout =
      lay("go <a href=\"http://h/\" style=\"b\" color=\"0,0,255\">there</a> now");
  const auto runs = texts(layout);
  ASSERT_EQ(runs.size(), 3u);
  ASSERT_EQ(layout.links.size(), 1u);
  EXPECT_EQ(layout.links[0].target, "http://h/");
  // The hover rendering is bold, so wider: the item takes its width.
  EXPECT_EQ(layout.links[0].area.width, 5 * 7);
  ASSERT_EQ(layout.hover.size(), 1u);
  EXPECT_EQ(layout.hover[0].text, "there");
  EXPECT_TRUE(layout.hover[0].font.bold);
  EXPECT_EQ(layout.hover[0].color, MarkupColor(Rgb{0, 0, 255}));
  EXPECT_EQ(layout.hover[0].font.size, 12);
  EXPECT_FALSE(runs[1].font.bold);
  EXPECT_EQ(layout.links[0].area.x, runs[1].rect.x);
  EXPECT_EQ(runs[2].rect.x, runs[1].rect.x + 35);
}

TEST_F(MarkupLayoutTest, PicturesByNumberWithBorderAndFrame) {
  measure.pictures[160] = {20, 10};
  const MarkupLayout layout = lay("<img src=\"#160\" color=\"1,1,1\"><img src=\"#999\">"
                                  "<img src=\"160\"><img border=\"0\" src=\"#160\">");
  ASSERT_EQ(layout.normal.size(), 3u);
  // First: 24 × 14 with a frame; the unknown number and a source without # place nothing.
  EXPECT_EQ(layout.normal[0].kind, MarkupDraw::Kind::Fill);
  EXPECT_EQ(layout.normal[0].rect, (MarkupRect{100 - 22, 0, 24, 14}));
  EXPECT_EQ(layout.normal[1].kind, MarkupDraw::Kind::Picture);
  EXPECT_EQ(layout.normal[1].rect, (MarkupRect{100 - 22 + 2, 2, 20, 10}));
  EXPECT_EQ(layout.normal[1].picture, 160);
  EXPECT_EQ(layout.normal[2].rect, (MarkupRect{100 - 22 + 24, 2, 20, 10}));
  EXPECT_EQ(layout.contentHeight, 14);
}

TEST_F(MarkupLayoutTest, RulesTakeTheirDefaultsAndMoveDown) {
  const MarkupLayout bare = lay("<hr>");
  ASSERT_EQ(bare.normal.size(), 1u);
  EXPECT_EQ(bare.normal[0].rect, (MarkupRect{50, 2, 100, 2}));
  EXPECT_EQ(bare.normal[0].color, MarkupColor(Rgb{128, 128, 128}));
  EXPECT_EQ(bare.contentHeight, 6 + 14); // the rule, then the line feed after it
  const MarkupLayout set = lay("a<hr size=\"3\" align=\"right\" color=\"9,8,7\">b");
  ASSERT_EQ(set.normal.size(), 3u);
  EXPECT_EQ(set.normal[1].rect, (MarkupRect{10, 14 + 2, 190, 3}));
  EXPECT_EQ(set.normal[1].color, MarkupColor(Rgb{9, 8, 7}));
  EXPECT_EQ(set.normal[2].rect.y, 14 + 7);
}

TEST_F(MarkupLayoutTest, VerticalAndHorizontalSpace) {
  const auto runs = texts(lay("a<vspace size=\"30\">b<hspace size=\"10\">c"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].rect.y, 14 + 30);
  EXPECT_EQ(runs[2].rect.x - runs[1].rect.x, 6 + 10);
}

TEST_F(MarkupLayoutTest, ContentIsCutAtTheHeightLimit) {
  const MarkupLayout layout = lay("a<vspace size=\"6000\">b<vspace size=\"999999999\">");
  EXPECT_EQ(layout.contentHeight, kMarkupHeightLimit);
  EXPECT_EQ(texts(layout).size(), 1u);
}

} // namespace
} // namespace linkmoor
