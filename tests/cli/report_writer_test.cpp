// Reports of pages analysed by several threads come out in page order, and a
// thread never waits for another's page unless its report is too large to hold.
#include "cli/report_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

using namespace linkmoor::cli;

namespace {

FileReport pageReport(const std::string &file, int broken) {
  FileReport report;
  report.file = file;
  report.analysed = true;
  report.summary.sizeText = "10";
  report.summary.localLinksMissing = broken;
  return report;
}

RowView brokenRow(int line) {
  return {line, "Local link", "disk file does't exist", "gone.htm", "/site/gone.htm", true};
}

// Writes a whole page with `rows` broken links.
void writePage(ReportWriter &writer, ReportWriter::Page &page, std::size_t index,
               const FileReport &report, int rows) {
  writer.begin(page, index, report);
  for (int i = 0; i < rows; ++i)
    writer.row(page, brokenRow(i + 1));
  writer.end(page, report);
}

class ReportWriterTest : public ::testing::Test {
protected:
  ProgressLine line{stderr, false};
  std::ostringstream out;
};

} // namespace

TEST_F(ReportWriterTest, PagesEndedOutOfOrderAreWrittenInOrderByTheOneBeforeThem) {
  ReportWriter writer(out, true, line, 3, [] { return 0; });
  ReportWriter::Page a, b, c;
  // Pages 2 and 1 end first, on this thread: they must be held, not waited for.
  writePage(writer, c, 2, pageReport("c.htm", 1), 1);
  writePage(writer, b, 1, pageReport("b.htm", 2), 2);
  EXPECT_EQ(out.str(), "");
  writePage(writer, a, 0, pageReport("a.htm", 0), 0);
  std::istringstream lines(out.str());
  std::string line0, line1, line2, rest;
  std::getline(lines, line0);
  std::getline(lines, line1);
  std::getline(lines, line2);
  EXPECT_FALSE(std::getline(lines, rest));
  EXPECT_EQ(line0.rfind("{\"file\":\"a.htm\"", 0), 0u) << line0;
  EXPECT_EQ(line1.rfind("{\"file\":\"b.htm\"", 0), 0u) << line1;
  EXPECT_EQ(line2.rfind("{\"file\":\"c.htm\"", 0), 0u) << line2;
  EXPECT_NE(line1.find("\"rows\":[{\"line\":1,"), std::string::npos);
  const RunTotals totals = writer.totals();
  EXPECT_EQ(totals.files, 3);
  EXPECT_EQ(totals.brokenLinks, 3);
}

TEST_F(ReportWriterTest, AReportTooLargeToHoldWaitsForItsTurnAndGoesOutWhole) {
  ReportWriter writer(out, false, line, 2, [] { return 0; });
  // Enough rows to pass the bytes one page may hold ahead of its turn.
  const int rows = static_cast<int>(ReportWriter::kHeldBytes / 40) + 1000;
  std::atomic<bool> secondEnded{false};
  std::thread second([&] {
    ReportWriter::Page page;
    writePage(writer, page, 1, pageReport("second.htm", rows), rows);
    secondEnded = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(secondEnded.load()) << "the large page went on before its turn";
  EXPECT_EQ(out.str(), "");
  ReportWriter::Page first;
  writePage(writer, first, 0, pageReport("first.htm", 1), 1);
  second.join();
  const std::string text = out.str();
  const std::size_t firstAt = text.find("first.htm"), secondAt = text.find("second.htm");
  ASSERT_NE(firstAt, std::string::npos);
  ASSERT_NE(secondAt, std::string::npos);
  EXPECT_LT(firstAt, secondAt);
  std::size_t rowLines = 0;
  std::istringstream lines(text);
  for (std::string row; std::getline(lines, row);)
    rowLines += row.find("-> ") != std::string::npos && row.find("gone.htm") != std::string::npos;
  EXPECT_EQ(rowLines, static_cast<std::size_t>(rows + 1));
  EXPECT_EQ(writer.totals().brokenLinks, rows + 1);
}
