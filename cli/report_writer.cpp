#include "cli/report_writer.h"

#include <utility>

namespace linkmoor::cli {

namespace {

// Bytes gathered before a page in its turn hands them to the stream.
constexpr std::size_t kFlushBytes = 64 * 1024;

} // namespace

ReportWriter::ReportWriter(std::ostream &out, bool json, ProgressLine &line, std::size_t pageCount,
                           std::function<int()> finished)
    : out_(out), json_(json), line_(line), pageCount_(pageCount), finished_(std::move(finished)) {}

void ReportWriter::begin(Page &page, std::size_t index, const FileReport &report) {
  page.index_ = index;
  page.text_ = json_ ? formatJsonHead(report) : formatTextHead(report);
  page.first_ = true;
  std::lock_guard lock(mutex_);
  page.inTurn_ = next_ == index;
  if (page.inTurn_) line_.show(index, pageCount_, finished_(), report.file);
}

void ReportWriter::row(Page &page, const RowView &row) {
  if (json_)
    appendJsonRow(page.text_, row, page.first_);
  else
    appendTextRow(page.text_, row);
  page.first_ = false;
  if (page.inTurn_) {
    if (page.text_.size() >= kFlushBytes) {
      out_ << page.text_;
      page.text_.clear();
    }
  } else if (page.text_.size() >= kHeldBytes) {
    std::unique_lock lock(mutex_);
    waitForTurn(lock, page);
  }
}

void ReportWriter::end(Page &page, const FileReport &report) {
  if (json_) page.text_ += std::string(kJsonTail) + "\n";
  Held done{std::move(page.text_), {}, report.file};
  page.text_ = std::string();
  done.totals.add(report);
  std::unique_lock lock(mutex_);
  if (!page.inTurn_ && next_ != page.index_) {
    if (heldBytes_ + done.text.size() <= kHeldTotal) {
      heldBytes_ += done.text.size();
      held_.emplace(page.index_, std::move(done));
      return;
    }
    waitForTurn(lock, page);
  }
  page.inTurn_ = false;
  writeFrom(lock, std::move(done));
}

RunTotals ReportWriter::totals() {
  std::lock_guard lock(mutex_);
  return totals_;
}

// Waits until every page before `page` is written, then writes what it has so
// far: from here on it writes as it goes.
void ReportWriter::waitForTurn(std::unique_lock<std::mutex> &lock, Page &page) {
  if (next_ != page.index_) {
    ++sleepers_;
    turnChanged_.wait(lock, [&] { return next_ == page.index_; });
    --sleepers_;
  }
  page.inTurn_ = true;
  lock.unlock();
  out_ << page.text_;
  page.text_.clear();
  lock.lock();
}

// Writes `page`, whose turn it is, and each held page after it, in its turn. The
// stream is written outside the lock: nobody else writes until `next_` moves on.
void ReportWriter::writeFrom(std::unique_lock<std::mutex> &lock, Held page) {
  for (;;) {
    const std::size_t index = next_;
    lock.unlock();
    line_.show(index, pageCount_, finished_(), page.file);
    out_ << page.text;
    lock.lock();
    totals_.add(page.totals);
    ++next_;
    auto held = held_.find(next_);
    if (held == held_.end()) break;
    heldBytes_ -= held->second.text.size();
    page = std::move(held->second);
    held_.erase(held);
  }
  if (sleepers_ > 0) turnChanged_.notify_all();
}

} // namespace linkmoor::cli
