#pragma once
// One run of linkmoor-check: which pages, in which order, and what is written.

#include "cli/check_options.h"
#include "engine/parallel_link_checker.h"

#include <cstdio>
#include <iosfwd>
#include <string>

namespace linkmoor::cli {

/// Runs the check the options describe, writing reports to `out` and messages to
/// `err`; `progress` (may be null) receives the progress line; web links are checked
/// with `settings` (see networkSettings). Returns the exit
/// status: 0 nothing found, 1 errors or broken links found, 2 ROOT unreadable.
int runCheck(const CheckOptions &options, std::ostream &out, std::ostream &err, std::FILE *progress,
             const ParallelCheckSettings &settings);

/// How a run asks the web: options.jobs checks at a time, with options.timeoutSeconds
/// as connect and stall limit and five times it as the limit of a whole check.
ParallelCheckSettings networkSettings(const CheckOptions &options);

} // namespace linkmoor::cli
