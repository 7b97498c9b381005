#include "platform/open_with_html_program.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace linkmoor {

namespace {

std::vector<std::string> &commandSlot() {
  static std::vector<std::string> command{"xdg-open"};
  return command;
}

bool isExecutableFile(const std::string &path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return ::access(path.c_str(), X_OK) == 0;
}

// Frees the spawn descriptions on every way out.
struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  bool ready = false;

  SpawnSetup() {
    if (posix_spawn_file_actions_init(&actions) != 0) return;
    if (posix_spawnattr_init(&attributes) != 0) {
      posix_spawn_file_actions_destroy(&actions);
      return;
    }
    ready = true;
  }
  ~SpawnSetup() {
    if (!ready) return;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  SpawnSetup(const SpawnSetup &) = delete;
  SpawnSetup &operator=(const SpawnSetup &) = delete;

  // A handler of its own: its own session (it outlives a closed terminal), a clean
  // signal mask and default handling of the signals this process may ignore.
  bool configure() {
    if (posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) != 0) return false;
    if (posix_spawn_file_actions_addclosefrom_np(&actions, 3) != 0) return false;
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    sigaddset(&defaults, SIGHUP);
    if (posix_spawnattr_setsigmask(&attributes, &none) != 0) return false;
    if (posix_spawnattr_setsigdefault(&attributes, &defaults) != 0) return false;
    const short flags = POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    return posix_spawnattr_setflags(&attributes, flags) == 0;
  }
};

} // namespace

std::vector<std::string> htmlOpenCommand() { return commandSlot(); }

void setHtmlOpenCommand(std::vector<std::string> command) {
  if (command.empty() || command.front().empty()) command = {"xdg-open"};
  commandSlot() = std::move(command);
}

std::string findProgram(const std::string &program, const std::string &searchPath) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos)
    return isExecutableFile(program) ? program : std::string();
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t colon = searchPath.find(':', start);
    if (colon == std::string::npos) colon = searchPath.size();
    // An empty entry of the search path means the current folder.
    std::string candidate =
        colon == start ? std::string(".") : searchPath.substr(start, colon - start);
    candidate.push_back('/');
    candidate.append(program);
    if (isExecutableFile(candidate)) return candidate;
    start = colon + 1;
  }
  return {};
}

bool openWithHtmlProgram(const std::string &target) {
  const std::vector<std::string> command = htmlOpenCommand();
  const char *pathValue = std::getenv("PATH");
  const std::string program =
      findProgram(command.front(), pathValue ? pathValue : "/usr/local/bin:/usr/bin:/bin");
  if (program.empty()) return false;

  std::vector<std::string> arguments = command;
  arguments.push_back(target);
  std::vector<char *> argv;
  for (std::string &argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);

  SpawnSetup setup;
  if (!setup.ready || !setup.configure()) return false;
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), &setup.actions, &setup.attributes, argv.data(),
                  environ) != 0)
    return false;
  // Nobody waits for the handler, but its exit must not leave a zombie behind.
  std::thread([child] {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

} // namespace linkmoor
