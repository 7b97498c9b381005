#include "engine/network_link_checker.h"

#include "engine/result_codes.h"
#include "platform/disk_check.h"

#include <utility>

namespace linkmoor {

NetworkLinkChecker::NetworkLinkChecker(JobControl *job, HttpCheckOptions options)
    : options_(std::move(options)) {
  if (job && !options_.abort) options_.abort = [job] { return job->stopRequested(); };
}

int NetworkLinkChecker::checkHttp(const std::string &url) { return httpCheck(url, options_); }

int NetworkLinkChecker::checkDisk(const std::string &path) {
  const bool found = diskPathExists(path);
  return found ? static_cast<int>(LinkStatus::Found) : static_cast<int>(LinkStatus::NoDiskFile);
}

} // namespace linkmoor
