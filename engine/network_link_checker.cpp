#include "engine/network_link_checker.h"

#include "engine/result_codes.h"
#include "platform/disk_check.h"

#include <strings.h>
#include <utility>

namespace linkmoor {

NetworkLinkChecker::NetworkLinkChecker(JobControl *job, HttpCheckOptions options)
    : options_(std::move(options)) {
  if (job && !options_.abort) options_.abort = [job] { return job->stopRequested(); };
}

int NetworkLinkChecker::checkHttp(const std::string &url) { return httpCheck(url, options_); }

int NetworkLinkChecker::checkDisk(const std::string &path) {
  // The platform check would read a path beginning with "file:" as a URL.
  const bool looksLikeUrl = path.size() >= 5 && strncasecmp(path.c_str(), "file:", 5) == 0;
  const bool found = diskTargetExists(looksLikeUrl ? "./" + path : path);
  return found ? static_cast<int>(LinkStatus::Found) : static_cast<int>(LinkStatus::NoDiskFile);
}

} // namespace linkmoor
