#pragma once
// linkmoor-check run as a program, for the tests that need the real process:
// its exit status, its standard output and what it wrote to stderr.

#include "support/temp_dir.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace linkmoor::test {

/// How one run of linkmoor-check ended.
struct CheckerRun {
  int status = -1; ///< Exit status, -1 when it did not exit by itself.
  std::string out; ///< Standard output.
  std::string err; ///< Standard error.
};

/// The linkmoor-check built beside this test program.
inline std::string checkerPath() {
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  return (self.parent_path().parent_path() / "bin" / "linkmoor-check").string();
}

/// `text` quoted for the shell.
inline std::string shellQuoted(const std::string &text) {
  std::string out = "'";
  for (char c : text)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

/// Runs linkmoor-check with `args` (and `environment`, "NAME=value ..." before the
/// program), its stderr kept in a file of `scratch`.
inline CheckerRun runChecker(const std::vector<std::string> &args, const TempDir &scratch,
                             const std::string &environment = "") {
  std::string command = environment + " " + shellQuoted(checkerPath());
  for (const std::string &arg : args)
    command += " " + shellQuoted(arg);
  const std::string errFile = scratch.file("stderr.txt");
  command += " 2>" + shellQuoted(errFile);
  CheckerRun run;
  std::FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    run.out.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(errFile);
  std::stringstream text;
  text << in.rdbuf();
  run.err = text.str();
  return run;
}

} // namespace linkmoor::test
