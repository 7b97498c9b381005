// An out-of-memory error that escapes every caller ends the checker with a message
// and status 2, from the main thread and from a worker thread alike; other
// uncaught errors still abort.
#include "cli/out_of_memory.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <thread>

namespace {

using linkmoor::cli::exitCleanlyWhenOutOfMemory;

void throwUncaughtOn(bool workerThread, bool outOfMemory) {
  exitCleanlyWhenOutOfMemory();
  auto fail = [outOfMemory] {
    if (outOfMemory) throw std::bad_alloc();
    throw std::runtime_error("not memory");
  };
  if (workerThread) {
    std::thread worker(fail);
    worker.join();
  } else {
    // As main() would: nothing above it catches.
    [&]() noexcept { fail(); }();
  }
}

TEST(OutOfMemoryDeathTest, UncaughtBadAllocEndsWithStatusTwoAndAMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (bool workerThread : {false, true}) {
    SCOPED_TRACE(workerThread ? "worker thread" : "main thread");
    EXPECT_EXIT(throwUncaughtOn(workerThread, true), testing::ExitedWithCode(2),
                "^linkmoor-check: out of memory\n$");
  }
  EXPECT_DEATH(throwUncaughtOn(true, false), "not memory");
}

} // namespace
