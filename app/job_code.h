#pragma once
// The jobs the worker thread knows, with the buttons each shows on the progress strip.

namespace linkmoor {

/// The code a job is started with; 50 to 59 remote and connection work, 100 to 103 local.
enum JobCode : int {
  JOB_RECONNECT = 50,
  JOB_CONNECT = 51,
  JOB_CHECK_SITE = 52,
  JOB_REMOTE_SHOW_FILE = 53,
  JOB_REMOTE_RETRIEVE_ROOT = 54,
  JOB_REMOTE_RETRIEVE_FOLDER = 55,
  JOB_REMOTE_RETRIEVE_ALL = 56,
  JOB_REMOTE_ANALYZE = 57,
  JOB_REMOTE_SAVE_UPLOAD = 58,
  JOB_REMOTE_REFRESH_FILE = 59,
  JOB_LOCAL_ANALYZE = 100,
  JOB_LOCAL_SAVE = 101,
  JOB_LOCAL_SHOW_FILE = 102,
  JOB_LOCAL_REFRESH_FILE = 103,
};

/// Which progress strip buttons a job shows.
struct JobButtons {
  bool known = false; ///< the code names a job at all; other codes run nothing
  bool stop = false;  ///< "Stop" is shown
  bool skip = false;  ///< "Skip" is shown (never without "Stop")
};

/// The buttons of `code`; for a code outside the table all three are false.
JobButtons jobButtons(int code);

} // namespace linkmoor
