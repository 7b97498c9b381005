#include "app/frame_drawing.h"
#include "app/workspace_brush.h"
#include "workspace/sheet_traits.h"
#include "workspace/summary_header.h"
#include "workspace/workspace_geometry.h"

#include "workspace_test_support.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <numeric>

using namespace linkmoor;

// Paints strokes in order onto the workspace's cyan.
QImage painted(const std::vector<Stroke> &strokes, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(workspaceColour());
  QPainter painter(&image);
  for (const Stroke &stroke : strokes)
    painter.fillRect(stroke.rect, stroke.colour);
  return image;
}

QColor at(const QImage &image, int x, int y) { return QColor(image.pixel(x, y)); }

TEST(SheetGeometry, TabsAndTwoNestedFrames) {
  const QRect client(0, 0, 400, 300);
  EXPECT_EQ(sheetTabRect(client), QRect(10, 10, 380, 280));
  const QImage image = painted(sheetFrameStrokes(client), client.size());
  // Outer frame: the client deflated by 8 (8 to 391); inner one pixel further in. Top and
  // left black, right and bottom white.
  EXPECT_EQ(at(image, 100, 8), QColor(Qt::black));
  EXPECT_EQ(at(image, 100, 9), QColor(Qt::black));
  EXPECT_EQ(at(image, 8, 100), QColor(Qt::black));
  EXPECT_EQ(at(image, 9, 100), QColor(Qt::black));
  EXPECT_EQ(at(image, 100, 291), QColor(Qt::white));
  EXPECT_EQ(at(image, 100, 290), QColor(Qt::white));
  EXPECT_EQ(at(image, 391, 100), QColor(Qt::white));
  EXPECT_EQ(at(image, 390, 100), QColor(Qt::white));
  // Inside and well outside the frames the cyan stays.
  EXPECT_EQ(at(image, 100, 100), workspaceColour());
  EXPECT_EQ(at(image, 100, 5), workspaceColour());
}

TEST(SheetGeometry, BothEdgesOfTheFramesReadOnCyan) {
  const QImage image = painted(sheetFrameStrokes(QRect(0, 0, 400, 300)), QSize(400, 300));
  // White hardly shows on the cyan: the white edges have a dark line outside them that
  // sets them off, while the black edges show by themselves.
  EXPECT_LT(contrastRatio(Qt::white, workspaceColour()), 3.0);
  EXPECT_GE(contrastRatio(at(image, 100, 292), Qt::white), 3.0);
  EXPECT_GE(contrastRatio(at(image, 392, 100), Qt::white), 3.0);
  EXPECT_GE(contrastRatio(at(image, 100, 8), workspaceColour()), 3.0);
  // The outline lies outside the frame: the light edges stay two pixels wide.
  EXPECT_EQ(at(image, 100, 293), workspaceColour());
  EXPECT_EQ(at(image, 7, 100), workspaceColour());
}

TEST(MainPageGeometry, TreeAndListSplitAtTwoThirds) {
  // Deflated by 8: left 8, right 592 (exclusive); split at (8 + 592) * 2 / 3 = 400.
  const MainPageGeometry g = localMainLayout(QRect(0, 0, 600, 400));
  EXPECT_EQ(g.tree, QRect(8, 8, 387, 384));
  EXPECT_EQ(g.list, QRect(405, 8, 187, 384));
}

TEST(SummaryGeometry, ListMargins) {
  EXPECT_EQ(summaryListRect(QRect(0, 0, 800, 500)), QRect(10, 30, 780, 460));
}

TEST(ErrorGeometry, ListDeflatedByEight) {
  EXPECT_EQ(errorListRect(QRect(0, 0, 500, 300)), QRect(8, 8, 484, 284));
}

int sum(const std::vector<int> &widths) { return std::accumulate(widths.begin(), widths.end(), 0); }

TEST(ColumnFit, ProportionsWhileEverythingFitsAndTheLastTakesTheRest) {
  // 960 pixels: one unit of 10 for the 96 units of the summary.
  const std::vector<int> none(13, 0);
  EXPECT_EQ(fitColumnWidths(kSummaryMultiples, none, 960),
            (std::vector<int>{390, 80, 40, 50, 40, 50, 40, 50, 40, 50, 40, 50, 40}));
  // 965 pixels: the truncated shares leave 5 over, which the last column takes, so the
  // rows reach the list's right edge.
  const std::vector<int> wider = fitColumnWidths(kSummaryMultiples, none, 965);
  EXPECT_EQ(wider[0], 392); // 39 * 10.052
  EXPECT_EQ(sum(wider), 965);
  // The extension list: 8, 5, 6 of 190 pixels.
  EXPECT_EQ(fitColumnWidths(kExtensionMultiples, std::vector<int>{0, 0, 0}, 190),
            (std::vector<int>{80, 50, 60}));
  EXPECT_EQ(sum(fitColumnWidths(kErrorMultiples, std::vector<int>{}, 517)), 517);
}

TEST(ColumnFit, AColumnBelowItsTextGetsItAndTheOthersShareTheRest) {
  // "Count" needs 45 pixels where its share of 120 would be 31: it gets 45, and the
  // other two share 75 as 8 to 6 (42 and 32), the last taking the pixel left over.
  const std::vector<int> widths =
      fitColumnWidths(kExtensionMultiples, std::vector<int>{20, 45, 30}, 120);
  EXPECT_EQ(widths, (std::vector<int>{42, 45, 33}));
  // Pinning "Count" leaves "Support" short as well: both get their texts, "File" the rest.
  const std::vector<int> tight =
      fitColumnWidths(kExtensionMultiples, std::vector<int>{20, 45, 50}, 120);
  EXPECT_EQ(tight, (std::vector<int>{25, 45, 50}));
}

TEST(ColumnFit, TooNarrowForTheTextsScrollsSideways) {
  const std::vector<int> widths =
      fitColumnWidths(kExtensionMultiples, std::vector<int>{30, 45, 50}, 100);
  EXPECT_EQ(widths, (std::vector<int>{30, 45, 50}));
  EXPECT_GT(sum(widths), 100);
  // Nothing at all to share: every column at its minimum, none negative.
  EXPECT_EQ(fitColumnWidths(kExtensionMultiples, std::vector<int>{}, -5),
            (std::vector<int>{0, 0, 0}));
}

TEST(ColumnFit, AHeaderOverTwoColumnsSpreadsItsNeedByTheirProportions) {
  std::array<int, 13> minimum{};
  // "Bytes / errs" over columns 1 (8 units) and 2 (4 units) needing 90 pixels.
  spreadSpanMinimum(kSummaryMultiples, minimum, 1, 2, 90);
  EXPECT_EQ(minimum[1], 60);
  EXPECT_EQ(minimum[2], 30);
  EXPECT_GE(minimum[1] + minimum[2], 90);
  // A need already met changes nothing; the other columns are untouched.
  spreadSpanMinimum(kSummaryMultiples, minimum, 1, 2, 80);
  EXPECT_EQ(minimum[1], 60);
  EXPECT_EQ(minimum[0], 0);
  EXPECT_EQ(minimum[3], 0);
}

TEST(SummaryHeaderCells, SevenCellsOverTheColumnPairs) {
  const QRect list(10, 30, 980, 400);
  const std::array<int, 13> widths{390, 80, 40, 50, 40, 50, 40, 50, 40, 50, 40, 50, 40};
  const std::vector<SummaryHeaderCell> cells =
      SummaryHeader::cells(list, widths, QStringLiteral("docs/"), QStringLiteral("F-link"));
  ASSERT_EQ(cells.size(), 7u);
  EXPECT_EQ(cells[0].text, "docs/");
  EXPECT_EQ(cells[1].text, "Bytes / errs");
  EXPECT_EQ(cells[2].text, "TAG / err");
  EXPECT_EQ(cells[3].text, "Script / err");
  EXPECT_EQ(cells[4].text, "L-link / err");
  EXPECT_EQ(cells[5].text, "F-link / err");
  EXPECT_EQ(cells[6].text, "R-link / err");
  // The band runs from 18 pixels above the list to 1 pixel above it; x + 1 to x + width.
  EXPECT_EQ(cells[0].rect, QRect(11, 12, 389, 17));
  EXPECT_EQ(cells[1].rect, QRect(401, 12, 119, 17));
  EXPECT_EQ(cells[6].rect, QRect(10 + 390 + 120 + 90 * 4 + 1, 12, 89, 17));

  EXPECT_EQ(SummaryHeader::cells(list, widths, {}, QStringLiteral("S-link"))[5].text,
            "S-link / err");
}

TEST(SummaryHeaderCells, FollowTheListWhenItScrollsSideways) {
  const QRect list(10, 30, 500, 400);
  const std::array<int, 13> widths{390, 80, 40, 50, 40, 50, 40, 50, 40, 50, 40, 50, 40};
  const std::vector<SummaryHeaderCell> still =
      SummaryHeader::cells(list, widths, QString(), QStringLiteral("F-link"), 0);
  const std::vector<SummaryHeaderCell> moved =
      SummaryHeader::cells(list, widths, QString(), QStringLiteral("F-link"), 300);
  for (std::size_t i = 0; i < still.size(); ++i)
    EXPECT_EQ(moved[i].rect, still[i].rect.translated(-300, 0));
}

TEST(SummaryHeaderCells, EveryColumnPairIsWideEnoughForItsCell) {
  const QFontMetrics metrics(QApplication::font());
  const std::array<int, 13> minimum = SummaryHeader::minimumWidths(
      metrics, QStringLiteral("docs/reference/"), QStringLiteral("F-link"));
  const std::array<QString, 7> texts =
      SummaryHeader::texts(QStringLiteral("docs/reference/"), QStringLiteral("F-link"));
  EXPECT_GE(minimum[0], metrics.horizontalAdvance(texts[0]) + SummaryHeader::kCellPadding);
  for (int pair = 0; pair < 6; ++pair) {
    const int a = 1 + 2 * pair;
    EXPECT_GE(minimum[a] + minimum[a + 1],
              metrics.horizontalAdvance(texts[static_cast<std::size_t>(pair + 1)]) +
                  SummaryHeader::kCellPadding)
        << texts[static_cast<std::size_t>(pair + 1)].toStdString();
  }
}

TEST(SummaryHeaderCells, SunkenDoubleFrameAroundBandAndList) {
  const QImage image = painted(SummaryHeader::frame(QRect(10, 30, 100, 50)), QSize(130, 100));
  // Band and list: (10, 12) to (110, 80), inflated by 1 and then by 2: black top and left,
  // white bottom and right, the white set off by a dark line outside it.
  EXPECT_EQ(at(image, 50, 11), QColor(Qt::black));
  EXPECT_EQ(at(image, 50, 10), QColor(Qt::black));
  EXPECT_EQ(at(image, 9, 50), QColor(Qt::black));
  EXPECT_EQ(at(image, 50, 80), QColor(Qt::white));
  EXPECT_EQ(at(image, 50, 81), QColor(Qt::white));
  EXPECT_EQ(at(image, 111, 50), QColor(Qt::white));
  EXPECT_GE(contrastRatio(at(image, 50, 82), Qt::white), 3.0);
  EXPECT_GE(contrastRatio(at(image, 112, 50), Qt::white), 3.0);
}

TEST(SheetTraits, TheTwinsDifferOnlyInTheirCaptionsJobsAndRemoteFlag) {
  const SheetTraits &local = localSheetTraits();
  const SheetTraits &remote = remoteSheetTraits();
  EXPECT_FALSE(local.remote);
  EXPECT_TRUE(remote.remote);
  EXPECT_EQ(local.sheetCaption, "Local");
  EXPECT_EQ(remote.sheetCaption, "Host");
  EXPECT_EQ(local.pageCaptions[0], "Local");
  EXPECT_EQ(remote.pageCaptions[0], "Main");
  for (std::size_t i = 1; i < 4; ++i)
    EXPECT_EQ(local.pageCaptions[i], remote.pageCaptions[i]);
  EXPECT_EQ(local.siteLinkCaption, "F-link");
  EXPECT_EQ(remote.siteLinkCaption, "S-link");
  EXPECT_EQ(local.saveCaption, "Save");
  EXPECT_EQ(remote.saveCaption, "Save and Upload");
  EXPECT_EQ(
      (std::array<int, 4>{local.analyzeJob, local.saveJob, local.showFileJob, local.refreshJob}),
      (std::array<int, 4>{100, 101, 102, 103}));
  EXPECT_EQ((std::array<int, 4>{remote.analyzeJob, remote.saveJob, remote.showFileJob,
                                remote.refreshJob}),
            (std::array<int, 4>{57, 58, 53, 59}));
}
