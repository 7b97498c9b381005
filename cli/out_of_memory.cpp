#include "cli/out_of_memory.h"

#include <cstdlib>
#include <exception>
#include <new>
#include <unistd.h>

namespace linkmoor::cli {

namespace {

std::terminate_handler previousHandler = nullptr;

bool outOfMemory(const std::exception_ptr &error) {
  if (!error) return false;
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc &) {
    return true;
  } catch (...) {
    return false;
  }
}

[[noreturn]] void onTerminate() {
  if (outOfMemory(std::current_exception())) {
    // The message goes straight to the descriptor, without a buffer to allocate,
    // and the other threads end with the process without touching the report again.
    static const char message[] = "linkmoor-check: out of memory\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    std::_Exit(2);
  }
  if (previousHandler) previousHandler();
  std::abort();
}

} // namespace

void exitCleanlyWhenOutOfMemory() {
  const std::terminate_handler previous = std::set_terminate(onTerminate);
  if (previous != onTerminate) previousHandler = previous;
}

} // namespace linkmoor::cli
