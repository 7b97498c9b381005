// The scrolling state: timer steps, the bands a paint copies, the hit test and dragging.
#include "markup/markup_scroller.h"

#include <gtest/gtest.h>

namespace linkmoor {
namespace {

MarkupScroller scroller(int content, int window, std::vector<MarkupLink> links = {}) {
  MarkupScroller s;
  s.setContent(content, std::move(links));
  s.setWindowHeight(window);
  return s;
}

TEST(MarkupScrollerTest, OffsetCountsAndWrapsToOnePastTheContent) {
  MarkupScroller s = scroller(3, 10);
  s.setOffset(-2);
  std::vector<int> seen;
  for (int i = 0; i < 7; ++i) {
    s.step();
    seen.push_back(s.offset());
  }
  EXPECT_EQ(seen, (std::vector<int>{-1, 0, 1, 2, 3, 1, 2}));
}

TEST(MarkupScrollerTest, TallContentRepeatsWithoutAGap) {
  MarkupScroller s = scroller(300, 200);
  s.setOffset(149);
  s.step();
  ASSERT_EQ(s.offset(), 150);
  EXPECT_EQ(s.bands(), (std::vector<MarkupBand>{{150, 0, 150}, {0, 150, 50}}));
  s.setOffset(0);
  EXPECT_EQ(s.bands(), (std::vector<MarkupBand>{{0, 0, 200}}));
  s.setOffset(300);
  EXPECT_EQ(s.bands(), (std::vector<MarkupBand>{{0, 0, 200}}));
}

TEST(MarkupScrollerTest, NegativeOffsetStartsTheContentLower) {
  MarkupScroller s = scroller(300, 200);
  s.setOffset(-50);
  EXPECT_EQ(s.bands(), (std::vector<MarkupBand>{{0, 50, 150}}));
}

TEST(MarkupScrollerTest, ShortContentStaysWhileTheOffsetCounts) {
  MarkupScroller s = scroller(120, 200);
  const auto before = s.bands();
  for (int i = 0; i < 40; ++i)
    s.step();
  EXPECT_EQ(s.offset(), 40);
  EXPECT_EQ(s.bands(), before);
  EXPECT_EQ(before, (std::vector<MarkupBand>{{0, 0, 120}}));
  EXPECT_FALSE(s.startDrag(10));
  EXPECT_FALSE(s.dragging());
}

TEST(MarkupScrollerTest, HitTestFollowsTheOffsetAndTheRepetition) {
  const std::vector<MarkupLink> links{{{10, 20, 50, 10}, "first"}, {{10, 20, 80, 30}, "second"}};
  MarkupScroller tall = scroller(300, 200, links);
  tall.setOffset(0);
  EXPECT_EQ(tall.linkAt(15, 25), 0); // the first in layout order wins
  EXPECT_EQ(tall.linkAt(70, 25), 1);
  EXPECT_EQ(tall.linkAt(15, 5), -1);
  tall.setOffset(290); // content row 20 shows again at window row 30
  EXPECT_EQ(tall.linkAt(15, 35), 0);
  EXPECT_EQ(tall.linkAt(15, 25), -1);
  EXPECT_EQ(tall.windowAreas({10, 20, 50, 10}), (std::vector<MarkupRect>{{10, 30, 50, 10}}));

  MarkupScroller shortOne = scroller(100, 200, links);
  shortOne.setOffset(50);
  EXPECT_EQ(shortOne.linkAt(15, 25), 0);
  EXPECT_EQ(shortOne.linkAt(15, 75), -1);
}

TEST(MarkupScrollerTest, DragMovesTheOffsetModuloTheContent) {
  MarkupScroller s = scroller(300, 200);
  s.setOffset(100);
  ASSERT_TRUE(s.startDrag(50)); // anchor 150
  s.dragTo(20);
  EXPECT_EQ(s.offset(), 130);
  s.dragTo(190);
  EXPECT_EQ(s.offset(), 260); // -40 made non-negative
  s.endDrag();
  s.dragTo(0);
  EXPECT_EQ(s.offset(), 260);
}

TEST(MarkupScrollerTest, ShorterContentDuringADragEndsIt) {
  MarkupScroller s = scroller(300, 200);
  ASSERT_TRUE(s.startDrag(10));
  s.setContent(0, {});
  s.dragTo(5); // no division by an empty content
  EXPECT_FALSE(s.dragging());
  EXPECT_TRUE(s.bands().empty());
}

} // namespace
} // namespace linkmoor
