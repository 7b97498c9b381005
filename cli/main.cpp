// linkmoor-check: checks the HTML pages of a site folder for markup errors and
// broken links, for scripts, CI jobs and people at a terminal.

#include "cli/check_options.h"
#include "cli/check_run.h"
#include "cli/out_of_memory.h"
#include "platform/http_check.h"
#include "platform/program_info.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

int main(int argc, char **argv) {
  using namespace linkmoor::cli;
  exitCleanlyWhenOutOfMemory();
  // A report to a file or a pipe goes out in large writes (the system's block
  // size would make thousands of calls for a large site); at a terminal each
  // line shows as soon as it is complete.
  // (Given no buffer of its own, the C library would keep its block-sized one.)
  static char reportBuffer[256 * 1024];
  if (!isatty(STDOUT_FILENO)) std::setvbuf(stdout, reportBuffer, _IOFBF, sizeof reportBuffer);
  std::vector<std::string> args(argv + 1, argv + argc);
  ParseResult parsed = parseCheckOptions(args);
  if (!parsed.ok) {
    std::cerr << "linkmoor-check: " << parsed.error << "\n"
              << "Try 'linkmoor-check --help'.\n";
    return 2;
  }
  if (parsed.options.help) {
    std::cout << usageText();
    return 0;
  }
  if (parsed.options.version) {
    std::cout << "linkmoor-check " << linkmoor::programVersion() << "\n";
    return 0;
  }
  if (!parsed.options.noInternet && !linkmoor::initNetwork()) {
    std::cerr << "linkmoor-check: the network library could not be started\n";
    return 2;
  }
  std::FILE *progress = isatty(STDERR_FILENO) ? stderr : nullptr;
  return runCheck(parsed.options, std::cout, std::cerr, progress, networkSettings(parsed.options));
}
