#include "cli/cached_link_checker.h"

#include "platform/disk_check.h"

namespace linkmoor::cli {

void QueueingLinkChecker::startHttp(const std::vector<std::string> &urls) {
  web_.startHttp(urls);
  noted_.insert(noted_.end(), urls.begin(), urls.end());
}

LinkStatus OfflineLinkChecker::checkDisk(const std::string &path) {
  {
    std::lock_guard lock(mutex_);
    if (auto it = results_.find(path); it != results_.end()) return it->second;
  }
  const LinkStatus status = diskPathExists(path) ? LinkStatus::Found : LinkStatus::NoDiskFile;
  std::lock_guard lock(mutex_);
  results_.emplace(path, status);
  return status;
}

} // namespace linkmoor::cli
