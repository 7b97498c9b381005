#include "cli/memory_gate.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace linkmoor::cli {

void MemoryGate::acquire(std::uint64_t bytes) {
  std::unique_lock lock(mutex_);
  const std::uint64_t ticket = nextTicket_++;
  auto admitted = [&] { return ticket == serving_ && (held_ == 0 || held_ + bytes <= limit_); };
  if (!admitted()) {
    ++sleepers_;
    changed_.wait(lock, admitted);
    --sleepers_;
  }
  held_ += bytes;
  ++serving_;
  // The next ticket may be waiting for its turn; without sleepers nobody needs waking.
  if (sleepers_ > 0) changed_.notify_all();
}

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

std::uint64_t pageMemoryNeed(const std::string &path) {
  // Only a regular file: opening a FIFO would wait for a writer.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                        &std::fclose);
  if (!file) return 0;
  std::uint64_t size = 0, markers = 0;
  char piece[64 * 1024];
  for (std::size_t got; (got = std::fread(piece, 1, sizeof piece, file.get())) > 0;) {
    size += got;
    markers += static_cast<std::uint64_t>(std::count(piece, piece + got, '<'));
    markers += static_cast<std::uint64_t>(std::count(piece, piece + got, ':'));
  }
  return 2 * size + markers * kRecordBytesPerMarker;
}

} // namespace linkmoor::cli
