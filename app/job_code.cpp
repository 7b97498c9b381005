#include "app/job_code.h"

namespace linkmoor {

JobButtons jobButtons(int code) {
  switch (code) {
  case JOB_CHECK_SITE:
  case JOB_REMOTE_RETRIEVE_ROOT:
  case JOB_REMOTE_RETRIEVE_FOLDER:
    return {true, false, false};
  case JOB_REMOTE_ANALYZE:
  case JOB_REMOTE_SAVE_UPLOAD:
  case JOB_LOCAL_ANALYZE:
  case JOB_LOCAL_SAVE:
    return {true, true, true};
  case JOB_RECONNECT:
  case JOB_CONNECT:
  case JOB_REMOTE_SHOW_FILE:
  case JOB_REMOTE_RETRIEVE_ALL:
  case JOB_REMOTE_REFRESH_FILE:
  case JOB_LOCAL_SHOW_FILE:
  case JOB_LOCAL_REFRESH_FILE:
    return {true, true, false};
  default:
    return {};
  }
}

} // namespace linkmoor
