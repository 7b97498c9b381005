#pragma once
// One run of linkmoor-check: which pages, in which order, and what is written.

#include "cli/check_options.h"
#include "engine/parallel_link_checker.h"

#include <cstdio>
#include <iosfwd>
#include <string>

namespace linkmoor::cli {

/// What a run did, for those who watch it.
struct RunCounts {
  int analyses = 0; ///< analyses of a page (a page read ahead and not again counts once)
};

/// Runs the check the options describe, writing reports to `out` and messages to
/// `err`; `progress` (may be null) receives the progress line; web links are checked
/// with `settings` (see networkSettings). Returns the exit
/// status: 0 nothing found, 1 errors or broken links found, 2 ROOT unreadable.
/// Each page's rows are written as they are made; a page that exhausts the memory
/// is reported with the status "read" and the run goes on. `counts` (may be null)
/// receives what the run did.
int runCheck(const CheckOptions &options, std::ostream &out, std::ostream &err, std::FILE *progress,
             const ParallelCheckSettings &settings, RunCounts *counts = nullptr);

/// How a run asks the web: options.jobs checks at a time, with options.timeoutSeconds
/// as connect and stall limit and five times it as the limit of a whole check.
ParallelCheckSettings networkSettings(const CheckOptions &options);

} // namespace linkmoor::cli
