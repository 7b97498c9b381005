// Which buttons each job shows on the progress strip.
#include "app/job_code.h"

#include <gtest/gtest.h>

namespace linkmoor {
namespace {

TEST(JobButtons, SkipNeverWithoutStop) {
  for (int code = 0; code < 200; ++code) {
    const JobButtons buttons = jobButtons(code);
    if (buttons.skip) {
      EXPECT_TRUE(buttons.stop) << code;
    }
  }
}

TEST(JobButtons, ListingAndSiteCheckShowNoButton) {
  for (int code : {JOB_CHECK_SITE, JOB_REMOTE_RETRIEVE_ROOT, JOB_REMOTE_RETRIEVE_FOLDER}) {
    EXPECT_TRUE(jobButtons(code).known);
    EXPECT_FALSE(jobButtons(code).stop);
    EXPECT_FALSE(jobButtons(code).skip);
  }
}

TEST(JobButtons, FileByFileJobsShowBoth) {
  for (int code : {JOB_REMOTE_ANALYZE, JOB_REMOTE_SAVE_UPLOAD, JOB_LOCAL_ANALYZE, JOB_LOCAL_SAVE}) {
    EXPECT_TRUE(jobButtons(code).stop);
    EXPECT_TRUE(jobButtons(code).skip);
  }
  EXPECT_FALSE(jobButtons(JOB_LOCAL_SHOW_FILE).skip);
  EXPECT_TRUE(jobButtons(JOB_RECONNECT).stop);
}

TEST(JobButtons, CodesOutsideTheTableAreUnknown) {
  for (int code : {0, 49, 60, 99, 104})
    EXPECT_FALSE(jobButtons(code).known) << code;
}

} // namespace
} // namespace linkmoor
