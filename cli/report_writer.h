#pragma once
// Writes the reports of pages analysed by several threads in page order.

#include "cli/file_report.h"
#include "cli/progress_line.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <string>

namespace linkmoor::cli {

/// Writes page reports in page order while several threads analyse pages. A
/// page's report is made in memory by the thread that analyses it and written by
/// whichever thread writes the page before it, so that no thread waits for an
/// earlier page. A report that outgrows kHeldBytes, or that would take the
/// reports held past kHeldTotal, waits for its turn and goes out as it is made.
class ReportWriter {
public:
  /// Bytes of one page's report made ahead of its turn.
  static constexpr std::size_t kHeldBytes = 1 << 20;
  /// Bytes of all reports held for their turn.
  static constexpr std::size_t kHeldTotal = 16 << 20;

  /// `finished` tells the progress line how many links have been checked.
  ReportWriter(std::ostream &out, bool json, ProgressLine &line, std::size_t pageCount,
               std::function<int()> finished);

  /// One thread's page being written; reused for the thread's next page.
  class Page {
    friend class ReportWriter;
    std::size_t index_ = 0;
    std::string text_;
    bool inTurn_ = false;
    bool first_ = true;
  };

  /// Starts the report of page `index` with its head.
  void begin(Page &page, std::size_t index, const FileReport &report);
  /// Adds one row to the page begun.
  void row(Page &page, const RowView &row);
  /// Ends the page, counting `report` into the totals; writes it, and the pages
  /// after it that are held, when its turn has come.
  void end(Page &page, const FileReport &report);

  /// Sums over the pages written; complete once every page has ended.
  RunTotals totals();

private:
  struct Held {
    std::string text;
    RunTotals totals;
    std::string file;
  };
  void waitForTurn(std::unique_lock<std::mutex> &lock, Page &page);
  void writeFrom(std::unique_lock<std::mutex> &lock, Held page);

  std::ostream &out_;
  bool json_;
  ProgressLine &line_;
  std::size_t pageCount_;
  std::function<int()> finished_;

  std::mutex mutex_;
  std::condition_variable turnChanged_;
  std::size_t next_ = 0;             ///< the page whose turn it is
  std::map<std::size_t, Held> held_; ///< pages ended before their turn
  std::size_t heldBytes_ = 0;
  std::size_t sleepers_ = 0;
  RunTotals totals_;
};

} // namespace linkmoor::cli
