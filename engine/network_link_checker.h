#pragma once
// The one-at-a-time link checker: every check goes to the network or the disk at
// once, and Stop ends a request that is waiting. The program's jobs and
// linkmoor-check use ParallelLinkChecker; this one is the reference it must agree
// with, and the disk check both share.

#include "engine/job_control.h"
#include "engine/link_checker.h"
#include "platform/http_check.h"

#include <string>

namespace linkmoor {

/// The link status an HTTP answer gives: Found, NoWebSite or NoWebFile.
LinkStatus linkStatusOf(HttpAnswer answer);

/// Checks links with one HTTP request each and on the file system.
class NetworkLinkChecker : public LinkChecker {
public:
  /// Checks with `options`; when `job` is given and `options` has no abort function
  /// of its own, a request ends as soon as the job's stopRequested turns true.
  /// `job` must outlive the checker.
  explicit NetworkLinkChecker(JobControl *job = nullptr, HttpCheckOptions options = {});

  /// httpCheck of `url` with the checker's options.
  LinkStatus checkHttp(const std::string &url) override;
  /// Found when the file or folder `path` (a plain path, taken literally) can be opened
  /// for reading, else NoDiskFile. FIFOs and devices are judged without opening them.
  LinkStatus checkDisk(const std::string &path) override;

private:
  HttpCheckOptions options_;
};

} // namespace linkmoor
