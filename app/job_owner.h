#pragma once
// A window that starts jobs implements this: the worker thread calls `runJob` with
// the code the window started. The operation runs on the worker thread and reaches
// its widgets only through `guiCall` (app/gui_call.h).

#include "app/job_code.h"

namespace linkmoor {

class JobThread;

/// The window that owns a job and carries out its operation.
class JobOwner {
public:
  virtual ~JobOwner() = default;
  /// Runs the operation of `code` on the worker thread. `job` answers the Stop and Skip
  /// requests and shows the progress texts; it is also the engine's `JobControl`.
  virtual void runJob(JobCode code, JobThread &job) = 0;
};

} // namespace linkmoor
