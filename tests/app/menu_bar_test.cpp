// The drawn menu bar's model: layout, hit testing, states and the tracking steps.
#include "app/menu_bar.h"

#include <gtest/gtest.h>

namespace linkmoor {
namespace {

class MenuBarModel : public ::testing::Test {
protected:
  void SetUp() override { bar_.layout({40, 45, 25}, 0, 0, 20); }
  MenuBar bar_;
};

TEST_F(MenuBarModel, ItemsFollowEachOther) {
  EXPECT_EQ(bar_.item(0).caption, QStringLiteral("Analyze"));
  EXPECT_EQ(bar_.item(2).popupId, 153);
  EXPECT_EQ(bar_.item(0).rect, QRect(8, 2, 48, 20));
  EXPECT_EQ(bar_.item(1).rect, QRect(76, 2, 53, 20));
  EXPECT_EQ(bar_.item(2).rect, QRect(149, 2, 33, 20));
}

TEST_F(MenuBarModel, KeysFindTheItems) {
  EXPECT_EQ(bar_.itemForLetter(QLatin1Char('a')), 0);
  EXPECT_EQ(bar_.itemForLetter(QLatin1Char('O')), 1);
  EXPECT_EQ(bar_.itemForLetter(QLatin1Char('h')), 2);
  EXPECT_EQ(bar_.itemForLetter(QLatin1Char('x')), -1);
  EXPECT_EQ(MenuBar::adjacentItem(0, 1), 1);
  EXPECT_EQ(MenuBar::adjacentItem(2, 1), 0);
  EXPECT_EQ(MenuBar::adjacentItem(0, -1), 2);
  EXPECT_EQ(MenuBar::mnemonicCaption(bar_.item(1)), QStringLiteral("&Options"));
}

TEST_F(MenuBarModel, KeyPressMarksOnlyThatItem) {
  bar_.track(QPoint(100, 10), MenuBar::Hot);
  const std::vector<QRect> areas = bar_.pressByKey(2);
  EXPECT_EQ(bar_.item(2).state, MenuBar::Pressed);
  EXPECT_EQ(bar_.item(1).state, MenuBar::Normal);
  EXPECT_EQ(areas.size(), 2u); // the hot item and the pressed one
  bar_.popupClosed(2);
  EXPECT_EQ(bar_.item(2).state, MenuBar::Normal);
}

TEST_F(MenuBarModel, HitTestingKnowsTheGaps) {
  EXPECT_EQ(bar_.hitItem(QPoint(8, 2)), 0);
  EXPECT_EQ(bar_.hitItem(QPoint(55, 21)), 0);
  EXPECT_EQ(bar_.hitItem(QPoint(56, 10)), -1);
  EXPECT_EQ(bar_.hitItem(QPoint(100, 10)), 1);
  EXPECT_EQ(bar_.hitItem(QPoint(100, 22)), -1);
  EXPECT_EQ(bar_.hitItem(QPoint(7, 10)), -1);
}

TEST_F(MenuBarModel, HoverRaisesAndCapturesThenLeavingReleases) {
  MenuBarStep step = bar_.track(QPoint(100, 10), MenuBar::Hot);
  EXPECT_TRUE(step.capture);
  EXPECT_EQ(bar_.item(1).state, MenuBar::Hot);
  ASSERT_EQ(step.repaint.size(), 1u);
  EXPECT_EQ(step.repaint[0], bar_.item(1).rect.adjusted(-1, -1, 1, 1));
  EXPECT_TRUE(bar_.captured());

  step = bar_.track(QPoint(300, 200), MenuBar::Hot);
  EXPECT_TRUE(step.releaseCapture);
  EXPECT_FALSE(step.capture);
  EXPECT_EQ(bar_.item(1).state, MenuBar::Normal);
  EXPECT_FALSE(bar_.captured());

  step = bar_.track(QPoint(300, 200), MenuBar::Hot);
  EXPECT_FALSE(step.releaseCapture);
  EXPECT_TRUE(step.repaint.empty());
}

TEST_F(MenuBarModel, MovingBetweenItemsMovesTheFrame) {
  bar_.track(QPoint(10, 10), MenuBar::Hot);
  const MenuBarStep step = bar_.track(QPoint(150, 10), MenuBar::Hot);
  EXPECT_EQ(bar_.item(0).state, MenuBar::Normal);
  EXPECT_EQ(bar_.item(2).state, MenuBar::Hot);
  EXPECT_EQ(step.repaint.size(), 2u);
}

TEST_F(MenuBarModel, PressOpensThePopupOfTheHitItem) {
  bar_.track(QPoint(150, 10), MenuBar::Hot);
  const MenuBarStep step = bar_.track(QPoint(150, 10), MenuBar::Pressed);
  EXPECT_EQ(step.openPopup, 2);
  EXPECT_EQ(bar_.item(2).state, MenuBar::Pressed);
  EXPECT_EQ(bar_.markedItem(MenuBar::Pressed), 2);
  const QRect area = bar_.popupClosed(2);
  EXPECT_EQ(area, bar_.item(2).rect.adjusted(-1, -1, 1, 1));
  EXPECT_EQ(bar_.item(2).state, MenuBar::Normal);
}

TEST_F(MenuBarModel, PressOutsideTheItemsDoesNothing) {
  const MenuBarStep step = bar_.track(QPoint(400, 10), MenuBar::Pressed);
  EXPECT_EQ(step.openPopup, -1);
  EXPECT_TRUE(step.repaint.empty());
}

TEST(MenuBarHeight, GivesTheTextRoom) { EXPECT_GT(menuBarHeightFor(13), 13); }

} // namespace
} // namespace linkmoor
