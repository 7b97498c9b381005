#pragma once
// What an analysis pass needs of its surroundings besides the page: the kind of
// project, the running job, the link checker, and the two flags that tell whether
// the user cut the link checks short.

#include "engine/job_control.h"
#include "engine/link_checker.h"

namespace linkmoor {

/// The surroundings of one analysis pass (or of several passes of one job).
struct PassContext {
  /// A pass over the current remote project (true) or the current local one.
  PassContext(bool remote, JobControl &job, LinkChecker &checker)
      : remote(remote), job(job), checker(checker) {}

  /// True for the current remote project, false for the current local project.
  bool remote;
  /// The running job: Stop, Skip and the progress text.
  JobControl &job;
  /// Answers the link checks.
  LinkChecker &checker;
  /// Set to 1 once Stop ended the link checks early; a pass never clears it.
  int stop = 0;
  /// Set to 1 once Skip ended the link checks early; a pass never clears it.
  int skip = 0;
};

} // namespace linkmoor
