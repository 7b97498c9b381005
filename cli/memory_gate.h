#pragma once
// Bounds the page text held in memory by the threads of one run.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace linkmoor::cli {

/// Admits pages in the order asked while the bytes admitted and not yet released
/// stay within `limit`; a page larger than the limit is admitted alone.
class MemoryGate {
public:
  explicit MemoryGate(std::uint64_t limit) : limit_(limit) {}

  /// Waits until `bytes` may be held, then counts them.
  void acquire(std::uint64_t bytes);
  /// Gives back what `acquire` counted.
  void release(std::uint64_t bytes);
  /// Lets the held bytes grow to `limit` when that is more than the limit so far.
  void raiseLimit(std::uint64_t limit);
  /// Callers of `acquire` still waiting.
  std::uint64_t waiting();

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t limit_;
  std::uint64_t held_ = 0;
  std::uint64_t nextTicket_ = 0;
  std::uint64_t serving_ = 0;
  std::uint64_t sleepers_ = 0; ///< callers of acquire asleep on `changed_`
};

/// Bytes of the records one marker of a page may bring (a segment for a "<", a
/// link for a "<" or a ":" of "://", and what a link keeps of its target).
inline constexpr std::uint64_t kRecordBytesPerMarker = 192;

/// What analysing the page at `path` will hold at most: its text twice (as read and
/// as worked on) and the records its markers ("<" and ":") may bring, counted in
/// one read of the file in small pieces. 0 when the page cannot be read.
std::uint64_t pageMemoryNeed(const std::string &path);

/// Holds `bytes` of a gate for one scope.
class GateHold {
public:
  GateHold(MemoryGate &gate, std::uint64_t bytes) : gate_(gate), bytes_(bytes) {
    gate_.acquire(bytes_);
  }
  ~GateHold() { gate_.release(bytes_); }
  GateHold(const GateHold &) = delete;
  GateHold &operator=(const GateHold &) = delete;

private:
  MemoryGate &gate_;
  std::uint64_t bytes_;
};

} // namespace linkmoor::cli
