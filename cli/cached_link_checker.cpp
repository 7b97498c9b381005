#include "cli/cached_link_checker.h"

namespace linkmoor::cli {

int QueueingLinkChecker::checkHttp(const std::string &url) {
  cache_.request(url);
  return 0;
}

int QueueingLinkChecker::checkDisk(const std::string &) { return 0; }

int CachedLinkChecker::checkHttp(const std::string &url) {
  return cache_ ? cache_->result(url) : 0;
}

int CachedLinkChecker::checkDisk(const std::string &path) {
  auto [it, inserted] = diskResults_.try_emplace(path, 0);
  if (inserted) it->second = disk_.checkDisk(path);
  return it->second;
}

} // namespace linkmoor::cli
