#include "cli/memory_gate.h"

#include <algorithm>

namespace linkmoor::cli {

void MemoryGate::acquire(std::uint64_t bytes) {
  waitTurn(enqueue(), bytes);
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

namespace {

using Bytes16 = unsigned char __attribute__((vector_size(16)));

// Bytes equal to `a` or `b` in `text`, sixteen at a time: each comparison gives
// 0xff for a match, and subtracting it counts one in that lane.
std::uint64_t countTwoBytes(const char *text, std::size_t size, unsigned char a, unsigned char b) {
  std::uint64_t count = 0;
  std::size_t i = 0;
  const Bytes16 wantA = a - Bytes16{}, wantB = b - Bytes16{};
  while (size - i >= 16) {
    // A lane counts at most 255 before it is added up.
    const std::size_t blocks = std::min<std::size_t>((size - i) / 16, 255);
    Bytes16 lanes{};
    for (std::size_t k = 0; k < blocks; ++k, i += 16) {
      Bytes16 piece;
      __builtin_memcpy(&piece, text + i, 16);
      lanes -= reinterpret_cast<Bytes16>(piece == wantA);
      lanes -= reinterpret_cast<Bytes16>(piece == wantB);
    }
    for (int lane = 0; lane < 16; ++lane)
      count += lanes[lane];
  }
  for (; i < size; ++i)
    count +=
        (static_cast<unsigned char>(text[i]) == a) + (static_cast<unsigned char>(text[i]) == b);
  return count;
}

} // namespace

std::uint64_t pageMemoryNeed(const char *text, std::size_t size) {
  return 2 * static_cast<std::uint64_t>(size) +
         countTwoBytes(text, size, '<', ':') * kRecordBytesPerMarker;
}

} // namespace linkmoor::cli
