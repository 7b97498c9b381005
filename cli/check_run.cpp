#include "cli/check_run.h"

#include "cli/cached_link_checker.h"
#include "cli/file_report.h"
#include "cli/memory_gate.h"
#include "cli/progress_line.h"
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
#include <memory>
#include <mutex>
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

void fillRows(FileReport &report, const ErrorList &list) {
  for (const auto &record : list) {
    if (!record) continue;
    RowTexts texts = list.linkRows ? linkText(*record) : kindText(*record);
    ReportRow row;
    row.line = record->line + 1;
    row.type = std::string(texts.type);
    row.error = std::string(texts.error);
    row.excerpt = record->excerpt;
    row.target = record->target;
    row.linkRow = list.linkRows != 0;
    report.rows.push_back(std::move(row));
  }
}

// `scanner` is the calling thread's own: the pass clears it, and its arrays keep the
// room they grew to, so later pages do not fault in fresh memory.
FileReport checkFile(HtmlScanner &scanner, const std::string &file, bool remote, bool noInternet,
                     LinkChecker &checker) {
  SilentJob job;
  FileReport report;
  report.file = file;
  report.remote = remote;
  PassContext context(remote, job, checker);
  ErrorList rows;
  // The general pass, with the description pass's rows of a page in error taken
  // from the same read and scan.
  report.analysed = findGeneralInfoWithRows(scanner, file, report.summary, rows, context) == 1;
  if (report.analysed && noInternet && !report.hasSyntaxErrors())
    report.notChecked = httpLinkCount(scanner, remote);
  if (report.analysed) fillRows(report, rows);
  return report;
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

/// Byte size of a page (0 when it cannot be looked at).
std::uint64_t pageSize(const std::string &root, const std::string &file) {
  struct stat info {};
  const bool regular = stat((root + "/" + file).c_str(), &info) == 0 && S_ISREG(info.st_mode);
  return regular ? static_cast<std::uint64_t>(info.st_size) : 0;
}

/// Reports finished out of order, written in order.
class OrderedReports {
public:
  explicit OrderedReports(std::size_t count) : reports_(count), done_(count, false) {}
  void put(std::size_t index, FileReport report) {
    bool wake = false;
    {
      std::lock_guard lock(mutex_);
      reports_[index] = std::move(report);
      done_[index] = true;
      wake = index == wanted_;
    }
    // Only the report the writer waits for wakes it: one wake-up per page costs more
    // than the analysis of a small page.
    if (wake) ready_.notify_one();
  }
  FileReport take(std::size_t index) {
    std::unique_lock lock(mutex_);
    wanted_ = index;
    ready_.wait(lock, [&] { return done_[index]; });
    wanted_ = SIZE_MAX;
    return std::move(reports_[index]);
  }

private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::vector<FileReport> reports_;
  std::vector<bool> done_;
  std::size_t wanted_ = SIZE_MAX;
};

/// The web addresses of each page, noted by the read-ahead, waited for by the report.
class PageAddressBook {
public:
  explicit PageAddressBook(std::size_t count) : pages_(count), noted_(count, false) {}
  void note(std::size_t index, std::vector<std::string> urls) {
    std::lock_guard lock(mutex_);
    pages_[index] = std::move(urls);
    noted_[index] = true;
    changed_.notify_all();
  }
  std::vector<std::string> take(std::size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return noted_[index]; });
    return std::move(pages_[index]);
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::vector<std::string>> pages_;
  std::vector<bool> noted_;
};

} // namespace

int runCheck(const CheckOptions &o, std::ostream &out, std::ostream &err, std::FILE *progress,
             const ParallelCheckSettings &settings) {
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

  // Each pass holds a page twice (as read and as worked on). Pages are analysed
  // on several threads while the pages held add up to no more than one and a half
  // times the largest page seen so far, so the run's page memory stays within three
  // times the largest page; a page larger than that is analysed alone. Each thread
  // looks at the size of its own page, so no pass over all pages comes first.
  MemoryGate gate(0);
  auto holdPage = [&](std::size_t i) {
    const std::uint64_t size = pageSize(o.root, files[i]);
    gate.raiseLimit(size + size / 2);
    return std::make_unique<GateHold>(gate, size);
  };

  // The web is asked through one checker that keeps every answer and every host
  // that was not found. A read-ahead thread hands it each page's addresses as soon as
  // it has scanned the page, so they are checked o.jobs at a time; the report threads
  // wait for a page's answers without holding any page in memory, and only then read
  // and analyse it, briefly, under the memory gate. A report thread that held its page
  // while waiting kept the read-ahead out of the gate, and the addresses then went
  // out one at a time as the report asked for them.
  std::unique_ptr<ParallelLinkChecker> web;
  OfflineLinkChecker offline;
  PageAddressBook addresses(files.size());
  std::thread lookahead;
  if (!o.noInternet) {
    web = std::make_unique<ParallelLinkChecker>(settings);
    lookahead = std::thread([&] {
      QueueingLinkChecker queueing(*web);
      SilentJob job;
      for (std::size_t i = 0; i < files.size(); ++i) {
        {
          const auto hold = holdPage(i);
          HtmlScanner scanner;
          FileSummary summary;
          PassContext context(remote, job, queueing);
          findGeneralInfo(scanner, files[i], summary, context);
        }
        addresses.note(i, queueing.takeNoted());
      }
    });
  }
  LinkChecker &checker = web ? static_cast<LinkChecker &>(*web) : offline;

  OrderedReports reports(files.size());
  std::atomic<std::size_t> nextPage{0};
  const unsigned workerCount = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  std::vector<std::thread> workers;
  for (unsigned w = 0; w < workerCount; ++w)
    workers.emplace_back([&] {
      HtmlScanner scanner;
      for (std::size_t i; (i = nextPage++) < files.size();) {
        if (web)
          for (const std::string &url : addresses.take(i))
            web->checkHttp(url);
        const auto hold = holdPage(i);
        reports.put(i, checkFile(scanner, files[i], remote, o.noInternet, checker));
      }
    });

  ProgressLine line(progress, progress != nullptr);
  RunTotals totals;
  for (std::size_t i = 0; i < files.size(); ++i) {
    line.show(i, files.size(), web ? web->finishedCount() : 0, files[i]);
    FileReport report = reports.take(i);
    totals.add(report);
    out << (o.json ? formatJson(report) + "\n" : formatText(report));
  }
  for (std::thread &worker : workers)
    worker.join();
  if (lookahead.joinable()) lookahead.join();
  line.finish();
  if (!o.json) out << formatTotals(totals);
  out.flush();
  return totals.exitStatus();
}

} // namespace linkmoor::cli
