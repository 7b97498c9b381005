#include "workspace/sheet_traits.h"
#include "workspace/summary_header.h"
#include "workspace/workspace_geometry.h"

#include "workspace_test_support.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace linkmoor;

TEST(SheetGeometry, TabsAndTwoNestedFrames) {
  const QRect client(0, 0, 400, 300);
  EXPECT_EQ(sheetTabRect(client), QRect(10, 10, 380, 280));
  const std::vector<Stroke> strokes = sheetFrameStrokes(client);
  ASSERT_EQ(strokes.size(), 8u);
  // Outer frame: the client deflated by 8; top and left black, right and bottom white.
  EXPECT_EQ(strokes[0].rect, QRect(8, 8, 383, 1));
  EXPECT_EQ(strokes[0].colour, QColor(Qt::black));
  EXPECT_EQ(strokes[1].rect, QRect(8, 8, 1, 283));
  EXPECT_EQ(strokes[2].rect, QRect(391, 8, 1, 284));
  EXPECT_EQ(strokes[2].colour, QColor(Qt::white));
  EXPECT_EQ(strokes[3].rect, QRect(8, 291, 384, 1));
  // Inner frame: one pixel further in.
  EXPECT_EQ(strokes[4].rect, QRect(9, 9, 381, 1));
  EXPECT_EQ(strokes[7].rect, QRect(9, 290, 382, 1));
}

TEST(MainPageGeometry, TreeAndListSplitAtTwoThirds) {
  // Deflated by 8: left 8, right 592 (exclusive); split at (8 + 592) * 2 / 3 = 400.
  const MainPageGeometry g = localMainLayout(QRect(0, 0, 600, 400));
  EXPECT_EQ(g.tree, QRect(8, 8, 387, 384));
  EXPECT_EQ(g.list, QRect(405, 8, 187, 384));
  // u = (187 - 17 - 1) / 19 = 8 with integer division.
  EXPECT_EQ(extensionColumnWidths(187, 17), (std::array<int, 3>{64, 40, 48}));
  EXPECT_EQ(extensionColumnWidths(10, 17), (std::array<int, 3>{0, 0, 0}));
}

TEST(SummaryGeometry, ListMarginsAndNinetySixUnits) {
  EXPECT_EQ(summaryListRect(QRect(0, 0, 800, 500)), QRect(10, 30, 780, 460));
  // W = 980 - 19 - 1 = 960, w = 10.
  const std::array<int, 13> widths = summaryColumnWidths(980, 19);
  EXPECT_EQ(widths, (std::array<int, 13>{390, 80, 40, 50, 40, 50, 40, 50, 40, 50, 40, 50, 40}));
  // A real unit: each width truncated on its own. W = 100, w = 1.0416...
  const std::array<int, 13> small = summaryColumnWidths(120, 19);
  EXPECT_EQ(small[0], 40); // 39 * 1.0416 = 40.6
  EXPECT_EQ(small[1], 8);
  EXPECT_EQ(small[3], 5);
  EXPECT_LE(std::accumulate(small.begin(), small.end(), 0), 100);
}

TEST(ErrorGeometry, ListDeflatedByEightAndFiftyUnits) {
  EXPECT_EQ(errorListRect(QRect(0, 0, 500, 300)), QRect(8, 8, 484, 284));
  // W = 522 - 17 - 5 = 500, u = 10.
  EXPECT_EQ(errorColumnWidths(522, 17), (std::array<int, 4>{30, 70, 140, 260}));
  // u = 1.9: 5.7, 13.3, 26.6, 49.4 truncated.
  EXPECT_EQ(errorColumnWidths(117, 17), (std::array<int, 4>{5, 13, 26, 49}));
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

TEST(SummaryHeaderCells, SunkenDoubleFrameAroundBandAndList) {
  const std::vector<Stroke> frame = SummaryHeader::frame(QRect(10, 30, 100, 50));
  ASSERT_EQ(frame.size(), 8u);
  // Band and list: (10, 12) to (110, 80), inflated by 1 and then by 2.
  EXPECT_EQ(frame[0].rect, QRect(9, 11, 101, 1));
  EXPECT_EQ(frame[0].colour, QColor(Qt::black));
  EXPECT_EQ(frame[3].rect, QRect(9, 80, 102, 1));
  EXPECT_EQ(frame[3].colour, QColor(Qt::white));
  EXPECT_EQ(frame[4].rect, QRect(8, 10, 103, 1));
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
