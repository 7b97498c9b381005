#include "cli/memory_gate.h"

namespace linkmoor::cli {

void MemoryGate::acquire(std::uint64_t bytes) {
  std::unique_lock lock(mutex_);
  const std::uint64_t ticket = nextTicket_++;
  changed_.wait(lock,
                [&] { return ticket == serving_ && (held_ == 0 || held_ + bytes <= limit_); });
  held_ += bytes;
  ++serving_;
  changed_.notify_all();
}

std::uint64_t MemoryGate::waiting() {
  std::lock_guard lock(mutex_);
  return nextTicket_ - serving_;
}

void MemoryGate::release(std::uint64_t bytes) {
  {
    std::lock_guard lock(mutex_);
    held_ -= bytes;
  }
  changed_.notify_all();
}

} // namespace linkmoor::cli
