#pragma once
// The link checker that the windowed program's jobs and linkmoor-check share: HTTP
// addresses are checked several at a time over kept connections, each address once
// for the checker's life (one job, or one run), and a host whose name could not be
// found is not looked up again.

#include "engine/disk_result_cache.h"
#include "engine/link_checker.h"
#include "platform/http_check_pool.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace linkmoor {

/// HTTP checks a job of the windowed program runs at once.
inline constexpr int kParallelLinkChecks = 16;

/// Settings of a ParallelLinkChecker.
struct ParallelCheckSettings {
  /// HTTP checks at once.
  int parallel = kParallelLinkChecks;
  /// Time-outs and redirect limit of one HTTP check.
  HttpCheckOptions http;
  /// Keeps each disk path's result too (a run that never changes the files).
  bool keepDiskResults = false;
  /// Called with the host name whenever a name look-up starts (tests count them).
  std::function<void(const std::string &host)> onLookup;
};

/// Checks HTTP addresses in parallel and keeps every result; checks disk paths on the
/// file system. Thread-safe: several analysis threads may share one.
class ParallelLinkChecker : public LinkChecker {
public:
  /// A checker with no results yet.
  explicit ParallelLinkChecker(ParallelCheckSettings settings = {});
  /// Ends the checks still running.
  ~ParallelLinkChecker() override;

  /// The kept result of `url`, checking it first (and waiting) when needed.
  LinkStatus checkHttp(const std::string &url) override;
  /// Found when `path` can be opened for reading (literal path), else NoDiskFile.
  LinkStatus checkDisk(const std::string &path) override;
  /// True when the settings keep disk results.
  bool keepsDiskResults() const override { return settings_.keepDiskResults; }
  bool checksInParallel() const override { return true; }
  /// Queues the addresses not yet known, in order.
  void startHttp(const std::vector<std::string> &urls) override;
  bool waitHttp(const std::string &url, std::chrono::milliseconds limit) override;
  void cancelHttp(const std::vector<std::string> &urls) override;

  /// Addresses whose check has finished so far.
  std::size_t finishedCount() const;
  /// What the HTTP side has done so far (requests, look-ups, cancelled checks).
  HttpPoolCounts poolCounts() const { return pool_->counts(); }

private:
  struct Entry {
    bool done = false;
    LinkStatus status = LinkStatus::Found;
    std::uint64_t ticket = 0;
    std::uint64_t id = 0; ///< tells a check from an earlier, cancelled one of the address
  };
  Entry &enqueueLocked(const std::string &url);

  ParallelCheckSettings settings_;
  mutable std::mutex mutex_;
  std::condition_variable finished_;
  std::unordered_map<std::string, Entry> entries_;
  std::size_t finishedCount_ = 0;
  std::uint64_t nextId_ = 0;
  DiskResultCache diskResults_;
  // Last, so that it is destroyed first: no answer arrives after the entries are gone.
  std::unique_ptr<HttpCheckPool> pool_;
};

} // namespace linkmoor
