// Dialog units, the main window's stored placement and first size, and the frames
// drawn on the workspace's cyan.
#include "app/dialog_units.h"
#include "app/frame_drawing.h"
#include "app/window_geometry.h"
#include "app/workspace_brush.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
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

TEST(FirstWindowSize, TheTemplateSizeWhenTheColumnsFitInIt) {
  const QFontMetrics metrics(QApplication::font());
  // 392 by 222 dialog units at 6 by 13: 588 by 361, raised to the smallest 500 by 400;
  // with no room needed for the columns it stays so.
  const QSize plain = firstWindowSize(DialogBaseUnits{6, 13}, metrics, 0);
  EXPECT_GE(plain.width(), 588);
  EXPECT_EQ(plain.height(), 400);
  const QSize large = firstWindowSize(DialogBaseUnits{30, 40}, metrics, 16);
  EXPECT_EQ(large, QSize(2940, 1110));
}

TEST(FirstWindowSize, WideEnoughForTheThirteenColumnsOfATypicalPage) {
  const QFontMetrics metrics(QApplication::font());
  const int rows = typicalSummaryRowsWidth(metrics);
  // Six header cells and the file column, each wider than its text.
  EXPECT_GT(rows, metrics.horizontalAdvance(QStringLiteral(
                      "documentation/reference/elements/anchor.htmlBytes / errsTAG / errScript / "
                      "errL-link / errF-link / errR-link / err")));
  const QSize size = firstWindowSize(DialogBaseUnits{6, 13}, metrics, 16);
  EXPECT_GE(size.width(), rows + workspaceChromeWidth(16));
  EXPECT_GT(size.width(), 686);
  EXPECT_EQ(size, snapToMinimum(size));
  EXPECT_EQ(workspaceChromeWidth(16), workspaceChromeWidth(0) + 16);
}

QImage framed(const QColor &background, const QColor &topLeft, const QColor &bottomRight) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  draw3dRect(painter, QRect(10, 10, 20, 10), topLeft, bottomRight, background);
  return image;
}

TEST(FrameDrawing, ContrastOfColours) {
  EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
  EXPECT_NEAR(contrastRatio(workspaceColour(), workspaceColour()), 1.0, 0.001);
  EXPECT_EQ(contrastRatio(Qt::white, Qt::black), contrastRatio(Qt::black, Qt::white));
}

TEST(FrameDrawing, AWhiteEdgeOnCyanIsSetOffByADarkLine) {
  EXPECT_FALSE(edgeOutline(Qt::black, workspaceColour()).isValid());
  const QColor outline = edgeOutline(Qt::white, workspaceColour());
  ASSERT_TRUE(outline.isValid());
  EXPECT_GE(contrastRatio(outline, Qt::white), 4.5);

  // Sunken: black top and left, white bottom and right (x 10 to 29, y 10 to 19).
  const QImage sunken = framed(workspaceColour(), Qt::black, Qt::white);
  EXPECT_EQ(QColor(sunken.pixel(20, 10)), QColor(Qt::black));
  EXPECT_EQ(QColor(sunken.pixel(10, 15)), QColor(Qt::black));
  EXPECT_EQ(QColor(sunken.pixel(20, 19)), QColor(Qt::white));
  EXPECT_EQ(QColor(sunken.pixel(29, 15)), QColor(Qt::white));
  EXPECT_EQ(QColor(sunken.pixel(20, 20)), outline);
  EXPECT_EQ(QColor(sunken.pixel(30, 15)), outline);
  // The black edges need nothing: the cyan outside them stays.
  EXPECT_EQ(QColor(sunken.pixel(20, 9)), workspaceColour());
  EXPECT_EQ(QColor(sunken.pixel(9, 15)), workspaceColour());

  // Raised: the light edge is outlined at the top and left.
  const QImage raised = framed(workspaceColour(), Qt::white, Qt::black);
  EXPECT_EQ(QColor(raised.pixel(20, 10)), QColor(Qt::white));
  EXPECT_EQ(QColor(raised.pixel(20, 9)), outline);
  EXPECT_EQ(QColor(raised.pixel(9, 15)), outline);
  EXPECT_EQ(QColor(raised.pixel(20, 20)), workspaceColour());
}

TEST(FrameDrawing, OnADarkBackgroundTheBlackEdgeIsSetOff) {
  const QColor dark(20, 30, 40);
  EXPECT_FALSE(edgeOutline(Qt::white, dark).isValid());
  const QColor outline = edgeOutline(Qt::black, dark);
  ASSERT_TRUE(outline.isValid());
  EXPECT_GE(contrastRatio(outline, Qt::black), 4.5);
  const QImage image = framed(dark, Qt::black, Qt::white);
  EXPECT_EQ(QColor(image.pixel(20, 9)), outline);
  EXPECT_EQ(QColor(image.pixel(20, 20)), dark);
}

} // namespace
} // namespace linkmoor
