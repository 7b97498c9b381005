#pragma once
// Checks each distinct URL once per run, several at a time.

#include "engine/result_codes.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace linkmoor::cli {

/// A pool of `jobs` threads that check URLs with `check` and keep each result.
/// `request` queues a URL without waiting; `result` waits for it. A URL is
/// checked at most once however often it is requested.
class UrlCache {
public:
  using Check = std::function<LinkStatus(const std::string &url)>;

  UrlCache(Check check, int jobs);
  ~UrlCache();
  UrlCache(const UrlCache &) = delete;
  UrlCache &operator=(const UrlCache &) = delete;

  /// Queues `url` for checking unless it is known already.
  void request(const std::string &url);
  /// The result for `url`, checking it first when it was never requested.
  LinkStatus result(const std::string &url);
  /// URLs checked so far.
  std::size_t checkedCount() const;
  /// Distinct URLs requested so far.
  std::size_t knownCount() const;

private:
  struct Entry {
    bool done = false;
    LinkStatus status = LinkStatus::Found;
  };
  void work();
  Entry &enqueueLocked(const std::string &url);

  Check check_;
  mutable std::mutex mutex_;
  std::condition_variable queued_;
  std::condition_variable finished_;
  std::unordered_map<std::string, Entry> entries_;
  std::deque<std::string> queue_;
  std::size_t checked_ = 0;
  bool closing_ = false;
  std::vector<std::thread> workers_;
};

} // namespace linkmoor::cli
