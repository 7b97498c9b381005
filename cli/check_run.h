#pragma once
// One run of linkmoor-check: which pages, in which order, and what is written.

#include "cli/check_options.h"
#include "engine/result_codes.h"

#include <cstdio>
#include <functional>
#include <iosfwd>
#include <string>

namespace linkmoor::cli {

/// Checks one URL; the run's HTTP checks go through it (tests count requests).
using UrlCheck = std::function<LinkStatus(const std::string &url)>;

/// Runs the check the options describe, writing reports to `out` and messages to
/// `err`; `progress` (may be null) receives the progress line. Returns the exit
/// status: 0 nothing found, 1 errors or broken links found, 2 ROOT unreadable.
int runCheck(const CheckOptions &options, std::ostream &out, std::ostream &err, std::FILE *progress,
             const UrlCheck &check);

/// The URL check of a real run: the platform's HTTP check with the time-out.
UrlCheck networkUrlCheck(long timeoutSeconds);

} // namespace linkmoor::cli
