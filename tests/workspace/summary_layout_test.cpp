// The report lists as the user reads them: every number, status word and header whole,
// the rows reaching the list's right edge, the drawn header over its columns however
// the list scrolls, and no slice of a row at the top of the info list.
#include "workspace_test_support.h"

#include "app/window_geometry.h"
#include "workspace/error_page.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_desc.h"
#include "workspace/sheet_local_pg_info.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/summary_header.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidgetItem>
#include <numeric>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

int totalWidth(const ReportList *list) {
  const std::vector<int> widths = list->columnWidths();
  return std::accumulate(widths.begin(), widths.end(), 0);
}

class SummaryLayoutTest : public SheetTest {
protected:
  SheetLocalPgInfo *info() const { return sheet_->infoPage(); }
  ReportList *list() const { return info()->list(); }

  // The sheet as the main window lays it out over a client area of `client`, below the
  // menu bar.
  void placeSheet(QSize client) {
    host_.resize(client);
    sheet_->setGeometry(0, 22, client.width(), client.height() - 22);
    QApplication::processEvents();
  }
  void analyzeWholeSite() {
    sheet_->mainPage()->runCommand(CMD_ANALYZE_RECURSIVE, sheet_->mainPage()->rootItem());
    ASSERT_TRUE(waitForJobs());
    QApplication::processEvents();
  }
  // Every text of every row, and the header's cells, within their columns.
  void expectEveryTextWhole() {
    const QFontMetrics metrics = list()->fontMetrics();
    for (int row = 0; row < list()->rowCount(); ++row)
      for (int column = 0; column < list()->columnCount(); ++column) {
        const QString text = list()->cellText(row, column);
        EXPECT_LE(metrics.horizontalAdvance(text) + list()->cellPadding(),
                  list()->columnWidth(column))
            << "row " << row << " column " << column << " \"" << text.toStdString() << '"';
      }
    const std::array<int, 13> header = SummaryHeader::minimumWidths(
        QFontMetrics(QApplication::font()), info()->folder(), QStringLiteral("F-link"));
    for (int column = 0; column < 13; ++column)
      EXPECT_GE(list()->columnWidth(column), header[static_cast<std::size_t>(column)])
          << "column " << column;
  }
};

TEST_F(SummaryLayoutTest, AtTheOldFirstSizeNothingIsCutAndTheListScrollsSideways) {
  placeSheet(QSize(686, 400));
  analyzeWholeSite();
  expectEveryTextWhole();
  // The columns need more than the list has: the list scrolls sideways instead.
  EXPECT_GT(totalWidth(list()), list()->viewport()->width());
  EXPECT_GT(list()->horizontalScrollBar()->maximum(), 0);
}

TEST_F(SummaryLayoutTest, AStatusWordIsNeverCut) {
  placeSheet(QSize(686, 400));
  analyzeWholeSite();
  list()->setCellText(0, 1, kRowCanceled);
  list()->setCellText(1, 1, QStringLiteral("4448123"));
  QApplication::processEvents();
  expectEveryTextWhole();
}

TEST_F(SummaryLayoutTest, AtTheFirstStartSizeAllColumnsShowWithoutScrolling) {
  placeSheet(firstWindowSize());
  analyzeWholeSite();

  expectEveryTextWhole();
  EXPECT_EQ(list()->horizontalScrollBar()->maximum(), 0);
  // The rows reach the right edge: the last column takes what is left.
  EXPECT_EQ(totalWidth(list()), list()->viewport()->width());
}

TEST_F(SummaryLayoutTest, WideListKeepsTheProportions) {
  placeSheet(QSize(1400, 500));
  analyzeWholeSite();
  EXPECT_EQ(totalWidth(list()), list()->viewport()->width());
  // 39 units of 96 for the file column, 8 for the size, 5 for the tags.
  const double unit = list()->viewport()->width() / 96.0;
  EXPECT_EQ(list()->columnWidth(0), static_cast<int>(39 * unit));
  EXPECT_EQ(list()->columnWidth(1), static_cast<int>(8 * unit));
  EXPECT_EQ(list()->columnWidth(3), static_cast<int>(5 * unit));
}

TEST_F(SummaryLayoutTest, TheDrawnHeaderFollowsTheListSideways) {
  placeSheet(QSize(500, 400));
  analyzeWholeSite();
  const QRect listRect = info()->listRect();
  const int y = listRect.y() - SummaryHeader::kBand / 2;
  const QImage before = info()->grab().toImage();
  const int shift = 120;
  ASSERT_GE(list()->horizontalScrollBar()->maximum(), shift);
  list()->horizontalScrollBar()->setValue(shift);
  QApplication::processEvents();
  const QImage after = info()->grab().toImage();
  // The header band moved left by as much as the rows did (in device pixels on a
  // scaled screen).
  const int scale = qRound(before.devicePixelRatio());
  int differing = 0;
  for (int x = (listRect.x() + 2) * scale; x < (listRect.right() - shift - 2) * scale; ++x)
    if (after.pixel(x, y * scale) != before.pixel(x + shift * scale, y * scale)) ++differing;
  EXPECT_EQ(differing, 0);
  EXPECT_NE(after, before);
}

TEST_F(SummaryLayoutTest, NoSliceOfARowShowsUnderTheHeader) {
  for (int i = 0; i < 40; ++i)
    site_.write("many/page" + std::to_string(100 + i) + ".htm", "<html><body>x</body></html>\n");
  refreshSheet();
  placeSheet(QSize(686, 400));
  QTreeWidgetItem *root = sheet_->mainPage()->rootItem();
  QTreeWidgetItem *many = nullptr;
  for (int i = 0; i < root->childCount(); ++i)
    if (root->child(i)->text(0) == QStringLiteral("many")) many = root->child(i);
  ASSERT_NE(many, nullptr);
  sheet_->mainPage()->runCommand(CMD_ANALYZE_RECURSIVE, many);
  ASSERT_TRUE(waitForJobs());
  QApplication::processEvents();
  // The job made the last row visible: the list scrolled, by whole rows only.
  ASSERT_GT(list()->verticalScrollBar()->value(), 0);
  const int top = list()->rowAt(0);
  ASSERT_GE(top, 0);

  EXPECT_EQ(list()->rowViewportPosition(top), 0);
  list()->verticalScrollBar()->setValue(list()->verticalScrollBar()->maximum());
  QApplication::processEvents();
  EXPECT_EQ(list()->rowViewportPosition(list()->rowAt(0)), 0);
}

TEST_F(SummaryLayoutTest, TheExtensionListShowsItsHeadersAndReachesItsRightEdge) {
  placeSheet(QSize(686, 400));
  ReportList *extensions = sheet_->mainPage()->extensionList();
  ASSERT_GT(extensions->rowCount(), 0);
  for (int column = 0; column < 3; ++column)
    EXPECT_GE(extensions->columnWidth(column),
              extensions->horizontalHeader()->sectionSizeHint(column))
        << "column " << column;
  EXPECT_EQ(totalWidth(extensions), extensions->viewport()->width());
}

TEST_F(SummaryLayoutTest, TheErrorListReachesItsRightEdge) {
  placeSheet(QSize(686, 400));
  sheet_->showFile("broken/links.htm", true);
  ASSERT_TRUE(waitForJobs());
  QApplication::processEvents();
  ReportList *errors = sheet_->descPage()->list();
  ASSERT_GT(errors->rowCount(), 0);
  EXPECT_EQ(totalWidth(errors), errors->viewport()->width());
  for (int column = 0; column < 4; ++column)
    EXPECT_GE(errors->columnWidth(column), errors->horizontalHeader()->sectionSizeHint(column));
}

} // namespace
