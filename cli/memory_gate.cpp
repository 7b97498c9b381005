#include "cli/memory_gate.h"

#include "engine/text_bounds.h"

namespace linkmoor::cli {

void MemoryGate::acquire(std::uint64_t ticket, std::uint64_t bytes) {
  // In the turn nobody else is admitted, so what fitted still fits.
  waitTurn(ticket, bytes);
  admit(bytes);
}

std::uint64_t MemoryGate::enqueue() {
  std::lock_guard lock(mutex_);
  return nextTicket_++;
}

void MemoryGate::waitTurn(std::uint64_t ticket, std::uint64_t bytes) {
  std::unique_lock lock(mutex_);
  auto served = [&] { return ticket == serving_ && fits(bytes); };
  if (served()) return;
  ++sleepers_;
  changed_.wait(lock, served);
  --sleepers_;
}

void MemoryGate::admit(std::uint64_t bytes) {
  std::unique_lock lock(mutex_);
  if (!fits(bytes)) {
    ++sleepers_;
    changed_.wait(lock, [&] { return fits(bytes); });
    --sleepers_;
  }
  held_ += bytes;
  ++serving_;
  // The next ticket may be waiting for its turn; without sleepers nobody needs waking.
  if (sleepers_ > 0) changed_.notify_all();
}

void MemoryGate::pass() { admit(0); }

void MemoryGate::raiseLimit(std::uint64_t limit) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    if (limit <= limit_) return;
    limit_ = limit;
    wake = sleepers_ > 0;
  }
  if (wake) changed_.notify_all();
}

std::uint64_t MemoryGate::waiting() {
  std::lock_guard lock(mutex_);
  return nextTicket_ - serving_;
}

void MemoryGate::release(std::uint64_t bytes) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    held_ -= bytes;
    wake = sleepers_ > 0;
  }
  if (wake) changed_.notify_all();
}

std::uint64_t pageMemoryNeed(const char *text, std::size_t size) {
  return 2 * static_cast<std::uint64_t>(size) +
         scantext::countAnyOf<'<', ':'>(text, 0, size) * kRecordBytesPerMarker;
}

} // namespace linkmoor::cli
