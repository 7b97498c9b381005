#pragma once
// Bounds the page text held in memory by the threads of one run.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace linkmoor::cli {

/// Admits pages in the order asked while the bytes admitted and not yet released
/// stay within `limit`; a page larger than the limit is admitted alone.
///
/// A caller that learns its page's need only by reading the page takes a place
/// (`enqueue`), waits for its turn until what it must hold to read fits
/// (`waitTurn`), reads, and then holds the whole need (`admit`); nobody is
/// admitted in between, so the page read is never more than the gate allows.
class MemoryGate {
public:
  explicit MemoryGate(std::uint64_t limit) : limit_(limit) {}

  /// Waits until `bytes` may be held, then counts them.
  void acquire(std::uint64_t bytes) { acquire(enqueue(), bytes); }
  /// Waits for the turn of place `ticket` (from `enqueue`) until `bytes` may be
  /// held, then counts them and ends the turn.
  void acquire(std::uint64_t ticket, std::uint64_t bytes);
  /// Gives back what `acquire` or `admit` counted.
  void release(std::uint64_t bytes);
  /// Lets the held bytes grow to `limit` when that is more than the limit so far.
  void raiseLimit(std::uint64_t limit);
  /// Callers of `acquire` or `waitTurn` not yet served.
  std::uint64_t waiting();

  /// The next place in the queue, for `waitTurn`.
  std::uint64_t enqueue();
  /// Waits until place `ticket` is served and `bytes` fit; the turn stays with the
  /// caller, who ends it with `admit` or `pass`.
  void waitTurn(std::uint64_t ticket, std::uint64_t bytes);
  /// In the caller's turn: waits until `bytes` fit, counts them, ends the turn.
  void admit(std::uint64_t bytes);
  /// In the caller's turn: ends it holding nothing.
  void pass();

private:
  bool fits(std::uint64_t bytes) const {
    return bytes == 0 || held_ == 0 || held_ + bytes <= limit_;
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t limit_;
  std::uint64_t held_ = 0;
  std::uint64_t nextTicket_ = 0;
  std::uint64_t serving_ = 0;
  std::uint64_t sleepers_ = 0; ///< callers asleep on `changed_`
};

/// Bytes of the records one marker of a page may bring (a segment for a "<", a
/// link for a "<" or a ":" of "://", and what a link keeps of its target).
inline constexpr std::uint64_t kRecordBytesPerMarker = 192;

/// What analysing the page `text` of `size` bytes will hold at most: its text
/// twice (as read and as worked on) and the records its markers ("<" and ":")
/// may bring.
std::uint64_t pageMemoryNeed(const char *text, std::size_t size);

/// Holds `bytes` of a gate for one scope.
class GateHold {
public:
  /// Waits for the bytes in the gate's queue.
  GateHold(MemoryGate &gate, std::uint64_t bytes) : gate_(gate), bytes_(bytes) {
    gate_.acquire(bytes_);
  }
  /// Adopts bytes already admitted by `MemoryGate::admit`.
  struct Admitted {};
  GateHold(MemoryGate &gate, std::uint64_t bytes, Admitted) : gate_(gate), bytes_(bytes) {}
  ~GateHold() { gate_.release(bytes_); }
  GateHold(const GateHold &) = delete;
  GateHold &operator=(const GateHold &) = delete;

private:
  MemoryGate &gate_;
  std::uint64_t bytes_;
};

} // namespace linkmoor::cli
