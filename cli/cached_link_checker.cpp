#include "cli/cached_link_checker.h"

namespace linkmoor::cli {

LinkStatus QueueingLinkChecker::checkHttp(const std::string &url) {
  cache_.request(url);
  return LinkStatus::Found;
}

LinkStatus QueueingLinkChecker::checkDisk(const std::string &) { return LinkStatus::Found; }

LinkStatus CachedLinkChecker::checkHttp(const std::string &url) {
  return cache_ ? cache_->result(url) : LinkStatus::Found;
}

LinkStatus CachedLinkChecker::checkDisk(const std::string &path) {
  auto [it, inserted] = diskResults_.try_emplace(path, LinkStatus::Found);
  if (inserted) it->second = disk_.checkDisk(path);
  return it->second;
}

} // namespace linkmoor::cli
