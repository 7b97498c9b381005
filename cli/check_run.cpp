#include "cli/check_run.h"

#include "cli/cached_link_checker.h"
#include "cli/file_report.h"
#include "cli/memory_gate.h"
#include "cli/page_admission.h"
#include "cli/progress_line.h"
#include "cli/report_writer.h"
#include "cli/site_walker.h"
#include "engine/analysis_pass.h"
#include "engine/error_list.h"
#include "engine/html_scanner.h"
#include "engine/job_control.h"
#include "platform/http_check.h"
#include "storage/current_projects.h"
#include "storage/file_name_text.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <ostream>
#include <sys/stat.h>
#include <thread>

namespace linkmoor::cli {

namespace {

bool isFolder(const std::string &path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

/// Links that the run would have requested over HTTP.
int httpLinkCount(const HtmlScanner &scanner, bool remote) {
  if (remote) return scanner.links.count();
  int count = 0;
  for (const auto &link : scanner.links)
    if (link && link->type == LinkType::Remote) ++count;
  return count;
}

void setProject(const CheckOptions &o) {
  if (o.remoteSite.empty()) {
    CurrentLocalProject.rootPath = o.root;
    return;
  }
  CurrentRemoteProject.downloadPath = o.root;
  CurrentRemoteProject.addProjectNameToDownload = 0;
  CurrentRemoteProject.subdomainPath = o.subdomainPath;
  CurrentRemoteProject.subdomainName = o.remoteSite;
}

} // namespace

ParallelCheckSettings networkSettings(const CheckOptions &options) {
  ParallelCheckSettings settings;
  settings.parallel = options.jobs;
  settings.http.connectTimeoutSeconds = options.timeoutSeconds;
  settings.http.stallTimeoutSeconds = options.timeoutSeconds;
  settings.http.totalTimeoutSeconds = 5 * options.timeoutSeconds;
  // The files do not change during a run: each disk path is looked at once.
  settings.keepDiskResults = true;
  return settings;
}

namespace {

/// What the read-ahead learnt of a page: the web addresses it links to and, for a
/// page without any (its analysis then needs no answer from the web), the result
/// itself, so that the page is analysed once.
struct ReadAhead {
  std::vector<std::string> urls;
  bool complete = false; ///< `report` is the page's result
  FileReport report;
};

/// Results of the read-ahead, waited for by the report threads.
class PageAddressBook {
public:
  explicit PageAddressBook(std::size_t count) : pages_(count), noted_(count, false) {}
  void note(std::size_t index, ReadAhead page) {
    std::lock_guard lock(mutex_);
    pages_[index] = std::move(page);
    noted_[index] = true;
    changed_.notify_all();
  }
  ReadAhead take(std::size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return noted_[index]; });
    return std::move(pages_[index]);
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<ReadAhead> pages_;
  std::vector<bool> noted_;
};

/// The read-ahead's checker: web addresses are queued on the shared checker and
/// noted, disk paths looked at for real (the shared checker keeps each answer), so
/// that the result of a page without web addresses is its report.
class ReadAheadChecker : public QueueingLinkChecker {
public:
  explicit ReadAheadChecker(ParallelLinkChecker &web) : QueueingLinkChecker(web), web_(web) {}
  LinkStatus checkDisk(const std::string &path) override { return web_.checkDisk(path); }
  bool keepsDiskResults() const override { return web_.keepsDiskResults(); }

private:
  ParallelLinkChecker &web_;
};

/// Page memory the threads may always hold together.
constexpr std::uint64_t kPageMemoryFloor = 8 << 20;

/// Rows a read-ahead result may keep; a page with more rows is analysed again
/// when its turn comes, with its rows written as they are made.
constexpr std::size_t kHeldRowsLimit = 256;

RowView viewOf(const ErrorRecord &record, bool linkRow) {
  const RowTexts texts = linkRow ? linkText(record) : kindText(record);
  return {record.line + 1, texts.type, texts.error, record.excerpt, record.target, linkRow};
}

// The report of page `index`, read already into `page`, analysed with `scanner`
// (the calling thread's own: the pass clears it, and its arrays keep the room
// they grew to, so later pages do not fault in fresh memory) and written with its
// rows as they are made. A page that exhausts the memory is reported "read", and
// the run goes on.
void checkAndWrite(std::unique_ptr<HtmlScanner> &scanner, std::size_t index,
                   const std::string &file, const LoadedPage &page, bool remote, bool noInternet,
                   LinkChecker &checker, ReportWriter &writer, ReportWriter::Page &written,
                   std::atomic<int> &analyses) {
  FileReport report;
  report.file = file;
  report.remote = remote;
  bool begun = false;
  try {
    SilentJob job;
    PassContext context(remote, job, checker);
    const RowStream rows = [&](const ErrorRecord &record, bool linkRow) {
      if (!begun) {
        report.analysed = true;
        if (noInternet) report.notChecked = httpLinkCount(*scanner, remote);
        writer.begin(written, index, report);
        begun = true;
      }
      writer.row(written, viewOf(record, linkRow));
    };
    ++analyses;
    report.analysed =
        findGeneralInfoStreamingRows(*scanner, file, page, report.summary, rows, context) == 1;
    if (!begun && report.analysed && noInternet && !report.hasSyntaxErrors())
      report.notChecked = httpLinkCount(*scanner, remote);
  } catch (const std::bad_alloc &) {
    // What the scanner holds is let go of, and its room with it.
    scanner.reset();
    scanner = std::make_unique<HtmlScanner>();
    if (!begun) {
      report.analysed = false;
      report.notChecked = 0;
      report.summary.clearCounts();
      report.summary.sizeText = "read";
    }
  }
  if (!begun) writer.begin(written, index, report);
  writer.end(written, report);
}

// Reads the project file `file` into `page` in the turn of `place`; a page for
// which memory cannot be had (not even for its path) is one that cannot be read.
std::unique_ptr<GateHold> readAdmitted(GatePlace &place, const std::string &file, bool remote,
                                       LoadedPage &page) {
  try {
    return admitPage(place, projectFilePath(file, remote), page);
  } catch (const std::bad_alloc &) {
    page.read = PageRead::CannotRead;
    page.size = 0;
    return nullptr;
  }
}

} // namespace

int runCheck(const CheckOptions &o, std::ostream &out, std::ostream &err, std::FILE *progress,
             const ParallelCheckSettings &settings, RunCounts *counts) {
  if (!isFolder(o.root)) {
    struct stat info {};
    err << "linkmoor-check: " << o.root
        << (stat(o.root.c_str(), &info) == 0 ? " is not a folder\n" : " does not exist\n");
    return 2;
  }
  std::vector<std::string> files = o.files;
  std::vector<std::string> unreadableFolders;
  if (files.empty()) {
    bool ok = false;
    files = listSitePages(o.root, ok, &unreadableFolders);
    if (!ok) {
      err << "linkmoor-check: cannot read the folder " << o.root << "\n";
      return 2;
    }
    for (const std::string &folder : unreadableFolders)
      err << "linkmoor-check: cannot read " << readableText(o.root + "/" + folder)
          << "; it is reported as a page that cannot be opened\n";
  }
  setProject(o);
  const bool remote = !o.remoteSite.empty();

  // A pass holds a page twice (as read and as worked on) and the records of its
  // tags and links. Pages are analysed on several threads while what they hold adds
  // up to no more than one and a half times the largest need seen so far (or a few
  // megabytes, so that ordinary pages never wait for one another), so the run's
  // page memory stays within three times the largest page's need; a page needing
  // more than that is analysed alone. Each thread looks at its own page, so no pass
  // over all pages comes first.
  MemoryGate gate(kPageMemoryFloor);
  std::atomic<int> analyses{0};

  // The web is asked through one checker that keeps every answer and every host
  // that was not found. A read-ahead thread analyses each page as soon as it can and
  // hands the checker the page's addresses, so they are checked o.jobs at a time; the
  // report threads wait for a page's answers without holding any page in memory, and
  // only then read and analyse it, briefly, under the memory gate. A page without web
  // addresses needs no answer: the read-ahead's result is its report (when its rows
  // are few), and it is not analysed again.
  std::unique_ptr<ParallelLinkChecker> web;
  OfflineLinkChecker offline;
  PageAddressBook addresses(files.size());
  std::thread lookahead;
  if (!o.noInternet) {
    web = std::make_unique<ParallelLinkChecker>(settings);
    lookahead = std::thread([&] {
      ReadAheadChecker queueing(*web);
      SilentJob job;
      for (std::size_t i = 0; i < files.size(); ++i) {
        ReadAhead ahead;
        LoadedPage page;
        try {
          GatePlace place(gate);
          const auto hold = readAdmitted(place, files[i], remote, page);
          HtmlScanner scanner;
          ahead.report.file = files[i];
          ahead.report.remote = remote;
          PassContext context(remote, job, queueing);
          bool tooManyRows = false;
          const RowStream rows = [&](const ErrorRecord &record, bool linkRow) {
            if (ahead.report.rows.size() >= kHeldRowsLimit) {
              tooManyRows = true;
              return;
            }
            const RowView view = viewOf(record, linkRow);
            ahead.report.rows.push_back({view.line, std::string(view.type), std::string(view.error),
                                         record.excerpt, record.target, linkRow});
          };
          ++analyses;
          ahead.report.analysed =
              findGeneralInfoStreamingRows(scanner, files[i], page, ahead.report.summary, rows,
                                           context) == 1;
          ahead.urls = queueing.takeNoted();
          ahead.complete = ahead.urls.empty() && !tooManyRows;
        } catch (const std::bad_alloc &) {
          ahead = ReadAhead();
          queueing.takeNoted();
        }
        if (!ahead.complete) ahead.report = FileReport();
        addresses.note(i, std::move(ahead));
      }
    });
  }
  LinkChecker &checker = web ? static_cast<LinkChecker &>(*web) : offline;

  ProgressLine line(progress, progress != nullptr);
  ReportWriter writer(out, o.json, line, files.size(),
                      [&] { return web ? web->finishedCount() : 0; });
  // Pages pass the memory gate in page order: a page held while waiting for its
  // turn to be written never keeps an earlier page out.
  std::mutex pageOrder;
  std::size_t nextPage = 0;
  const unsigned workerCount = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  std::vector<std::thread> workers;
  for (unsigned w = 0; w < workerCount; ++w)
    workers.emplace_back([&] {
      auto scanner = std::make_unique<HtmlScanner>();
      ReportWriter::Page written;
      for (;;) {
        std::unique_lock order(pageOrder);
        const std::size_t i = nextPage++;
        if (i >= files.size()) return;
        if (web) {
          ReadAhead ahead = addresses.take(i);
          if (ahead.complete) {
            order.unlock();
            writer.begin(written, i, ahead.report);
            for (const ReportRow &row : ahead.report.rows)
              writer.row(written,
                         {row.line, row.type, row.error, row.excerpt, row.target, row.linkRow});
            writer.end(written, ahead.report);
            continue;
          }
          for (const std::string &url : ahead.urls)
            web->checkHttp(url);
        }
        LoadedPage page;
        std::unique_ptr<GateHold> hold;
        {
          GatePlace place(gate);
          order.unlock();
          hold = readAdmitted(place, files[i], remote, page);
        }
        checkAndWrite(scanner, i, files[i], page, remote, o.noInternet, checker, writer, written,
                      analyses);
      }
    });

  for (std::thread &worker : workers)
    worker.join();
  if (lookahead.joinable()) lookahead.join();
  if (counts) counts->analyses = analyses.load();
  line.finish();
  const RunTotals totals = writer.totals();
  if (!o.json) out << formatTotals(totals);
  out.flush();
  return totals.exitStatus();
}

} // namespace linkmoor::cli
