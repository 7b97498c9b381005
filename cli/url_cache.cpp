#include "cli/url_cache.h"

#include <algorithm>

namespace linkmoor::cli {

UrlCache::UrlCache(Check check, int jobs) : check_(std::move(check)) {
  int count = std::max(1, jobs);
  workers_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    workers_.emplace_back([this] { work(); });
}

UrlCache::~UrlCache() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    queue_.clear();
  }
  queued_.notify_all();
  for (std::thread &worker : workers_)
    worker.join();
}

UrlCache::Entry &UrlCache::enqueueLocked(const std::string &url) {
  auto [it, inserted] = entries_.try_emplace(url);
  if (inserted) {
    queue_.push_back(url);
    queued_.notify_one();
  }
  return it->second;
}

void UrlCache::request(const std::string &url) {
  std::lock_guard lock(mutex_);
  enqueueLocked(url);
}

LinkStatus UrlCache::result(const std::string &url) {
  std::unique_lock lock(mutex_);
  Entry &entry = enqueueLocked(url);
  finished_.wait(lock, [&] { return entry.done; });
  return entry.status;
}

std::size_t UrlCache::checkedCount() const {
  std::lock_guard lock(mutex_);
  return checked_;
}

std::size_t UrlCache::knownCount() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

void UrlCache::work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    queued_.wait(lock, [&] { return closing_ || !queue_.empty(); });
    if (closing_) return;
    std::string url = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    const LinkStatus status = check_(url);
    lock.lock();
    // unordered_map never moves its elements, so the entry is still there.
    Entry &entry = entries_[url];
    entry.status = status;
    entry.done = true;
    ++checked_;
    finished_.notify_all();
  }
}

} // namespace linkmoor::cli
