#include "engine/parallel_link_checker.h"

#include "engine/network_link_checker.h"
#include "platform/disk_check.h"

namespace linkmoor {

ParallelLinkChecker::ParallelLinkChecker(ParallelCheckSettings settings)
    : settings_(std::move(settings)) {
  HttpPoolOptions options;
  options.parallel = settings_.parallel;
  options.check = settings_.http;
  options.check.abort = nullptr;
  options.onLookup = settings_.onLookup;
  pool_ = std::make_unique<HttpCheckPool>(std::move(options));
}

ParallelLinkChecker::~ParallelLinkChecker() { pool_.reset(); }

ParallelLinkChecker::Entry &ParallelLinkChecker::enqueueLocked(const std::string &url) {
  auto [it, inserted] = entries_.try_emplace(url);
  if (inserted) {
    // The answer cannot be recorded before the ticket: it needs the lock held here.
    const std::uint64_t id = it->second.id = ++nextId_;
    it->second.ticket = pool_->submit(url, [this, url, id](HttpAnswer answer) {
      std::lock_guard lock(mutex_);
      auto found = entries_.find(url);
      // A check that was cancelled and asked again is another check.
      if (found == entries_.end() || found->second.done || found->second.id != id) return;
      found->second.status = linkStatusOf(answer);
      found->second.done = true;
      ++finishedCount_;
      finished_.notify_all();
    });
  }
  return it->second;
}

LinkStatus ParallelLinkChecker::checkHttp(const std::string &url) {
  std::unique_lock lock(mutex_);
  enqueueLocked(url);
  // The entry may be replaced by a cancel and a new request meanwhile: look it up anew.
  finished_.wait(lock, [&] {
    auto it = entries_.find(url);
    return it == entries_.end() || it->second.done;
  });
  auto it = entries_.find(url);
  return it == entries_.end() ? LinkStatus::Found : it->second.status;
}

LinkStatus ParallelLinkChecker::checkDisk(const std::string &path) {
  if (!settings_.keepDiskResults)
    return diskPathExists(path) ? LinkStatus::Found : LinkStatus::NoDiskFile;
  return diskResults_.check(path);
}

void ParallelLinkChecker::startHttp(const std::vector<std::string> &urls) {
  std::lock_guard lock(mutex_);
  for (const std::string &url : urls)
    enqueueLocked(url);
}

bool ParallelLinkChecker::waitHttp(const std::string &url, std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  enqueueLocked(url);
  return finished_.wait_for(lock, limit, [&] {
    auto it = entries_.find(url);
    return it == entries_.end() || it->second.done;
  });
}

void ParallelLinkChecker::cancelHttp(const std::vector<std::string> &urls) {
  std::vector<std::uint64_t> tickets;
  {
    std::lock_guard lock(mutex_);
    for (const std::string &url : urls) {
      auto it = entries_.find(url);
      if (it == entries_.end() || it->second.done) continue;
      tickets.push_back(it->second.ticket);
      entries_.erase(it);
    }
  }
  pool_->cancel(tickets);
}

std::size_t ParallelLinkChecker::finishedCount() const {
  std::lock_guard lock(mutex_);
  return finishedCount_;
}

} // namespace linkmoor
