#include "engine/network_link_checker.h"

#include "engine/result_codes.h"
#include "platform/disk_check.h"

#include <utility>

namespace linkmoor {

NetworkLinkChecker::NetworkLinkChecker(JobControl *job, HttpCheckOptions options)
    : options_(std::move(options)) {
  if (job && !options_.abort) options_.abort = [job] { return job->stopRequested(); };
}

LinkStatus linkStatusOf(HttpAnswer answer) {
  switch (answer) {
  case HttpAnswer::Ok:
    return LinkStatus::Found;
  case HttpAnswer::NoSite:
    return LinkStatus::NoWebSite;
  case HttpAnswer::NotOk:
    break;
  }
  return LinkStatus::NoWebFile;
}

LinkStatus NetworkLinkChecker::checkHttp(const std::string &url) {
  return linkStatusOf(httpCheck(url, options_));
}

LinkStatus NetworkLinkChecker::checkDisk(const std::string &path) {
  return diskPathExists(path) ? LinkStatus::Found : LinkStatus::NoDiskFile;
}

} // namespace linkmoor
