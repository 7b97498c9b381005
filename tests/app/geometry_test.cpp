// Dialog units and the main window's stored placement.
#include "app/dialog_units.h"
#include "app/window_geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

TEST(DialogUnits, ScaleByTheBaseUnits) {
  const DialogBaseUnits base{6, 13};
  EXPECT_EQ(dialogUnitsToPixels(QSize(228, 25), base), QSize(342, 41));
  EXPECT_EQ(dialogUnitsToPixels(QRect(199, 3, 25, 17), base), QRect(299, 5, 38, 28));
  EXPECT_EQ(dialogUnitsX(-4, base), -6);
}

TEST(DialogUnits, TheMachineHasARealFont) {
  const QFontMetrics metrics(QApplication::font());
  EXPECT_LT(metrics.horizontalAdvance(QLatin1Char('i')),
            metrics.horizontalAdvance(QLatin1Char('W')));
  const DialogBaseUnits base = dialogBaseUnits(metrics);
  EXPECT_GT(base.x, 3);
  EXPECT_GE(base.y, metrics.height());
}

TEST(WindowPlacementGeometry, RoundTripOfANormalWindow) {
  const WindowPlacement stored = placementFromGeometry(QRect(10, 20, 800, 600), false, false);
  EXPECT_EQ(stored.showCommand, 1);
  EXPECT_EQ(stored.right, 810);
  EXPECT_EQ(stored.bottom, 620);
  const PlacedGeometry placed = geometryFromPlacement(stored);
  EXPECT_TRUE(placed.valid);
  EXPECT_FALSE(placed.maximized);
  EXPECT_EQ(placed.normal, QRect(10, 20, 800, 600));
}

TEST(WindowPlacementGeometry, MinimizedComesBackRestored) {
  WindowPlacement stored = placementFromGeometry(QRect(0, 0, 600, 500), false, true);
  EXPECT_EQ(stored.showCommand, 2);
  EXPECT_FALSE(geometryFromPlacement(stored).maximized);
  stored.showCommand = 3;
  EXPECT_TRUE(geometryFromPlacement(stored).maximized);
}

TEST(WindowPlacementGeometry, EmptyRectangleIsNotApplied) {
  WindowPlacement stored;
  stored.left = 50;
  stored.right = 50;
  stored.bottom = 300;
  EXPECT_FALSE(geometryFromPlacement(stored).valid);
}

TEST(WindowPlacementGeometry, MinimumIsFiveHundredByFourHundred) {
  EXPECT_EQ(snapToMinimum(QSize(300, 800)), QSize(500, 800));
  EXPECT_EQ(snapToMinimum(QSize(900, 100)), QSize(900, 400));
  EXPECT_EQ(snapToMinimum(QSize(900, 700)), QSize(900, 700));
}

} // namespace
} // namespace linkmoor
