#pragma once
// Many HTTP checks at once on one libcurl multi handle, driven by a thread of its
// own: connections to a host are kept and reused, looked-up names are kept, and a
// host whose name could not be found is not looked up again.

#include "platform/http_check.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace linkmoor {

/// Settings of an HttpCheckPool.
struct HttpPoolOptions {
  /// Checks running at once (at least 1).
  int parallel = 16;
  /// Time-outs and redirect limit of each check (the abort function is not used).
  HttpCheckOptions check;
  /// Called on the pool's thread with the host name whenever a name look-up starts.
  std::function<void(const std::string &host)> onLookup;
};

/// What a pool has done so far.
struct HttpPoolCounts {
  std::uint64_t started = 0;      ///< checks handed to the network
  std::uint64_t lookups = 0;      ///< name look-ups started
  std::uint64_t cancelled = 0;    ///< checks dropped by cancel before they finished
  std::uint64_t hostMemoHits = 0; ///< checks answered NoSite from a host already not found
};

/// Runs HTTP checks `parallel` at a time. A host's first check goes out alone; its
/// other checks wait for it to connect (and then share the looked-up name and the
/// connections) or to fail to find the name (and then are answered NoSite without a
/// request). Thread-safe.
class HttpCheckPool {
public:
  /// Receives the answer of a check, on the pool's thread.
  using Done = std::function<void(HttpAnswer)>;

  /// Starts the pool's thread.
  explicit HttpCheckPool(HttpPoolOptions options = {});
  /// Drops every check not finished (their Done is not called) and joins the thread.
  ~HttpCheckPool();
  HttpCheckPool(const HttpCheckPool &) = delete;
  HttpCheckPool &operator=(const HttpCheckPool &) = delete;

  /// Queues a check of `url` (in order of submission); returns its ticket.
  std::uint64_t submit(const std::string &url, Done done);
  /// Drops the check `ticket` if it has not finished: a running request is ended at
  /// once. Its Done may still be called if it was finishing at that very moment.
  void cancel(std::uint64_t ticket);
  /// Drops the checks of `tickets`, as cancel does.
  void cancel(const std::vector<std::uint64_t> &tickets);
  /// The counts so far.
  HttpPoolCounts counts() const;

private:
  struct Request;
  struct Loop;
  void run();

  HttpPoolOptions options_;
  mutable std::mutex mutex_;
  std::deque<std::unique_ptr<Request>> incoming_;
  std::vector<std::uint64_t> cancels_;
  bool closing_ = false;
  std::uint64_t nextTicket_ = 1;
  HttpPoolCounts counts_;
  void *multi_ = nullptr; ///< the CURLM, woken from other threads
  std::thread thread_;
};

} // namespace linkmoor
