// linkmoor-check loads the network library only when a run goes to the network:
// the dynamic loader's own account of the files it loads tells.

#include "support/temp_dir.h"

#include <arpa/inet.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using linkmoor::test::TempDir;

namespace {

std::string checkerPath() {
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  return (self.parent_path().parent_path() / "bin" / "linkmoor-check").string();
}

// A port on 127.0.0.1 that nobody listens on: a connection to it is refused.
int closedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr *>(&address), size) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) != 0)
    return 0;
  close(fd);
  return ntohs(address.sin_port);
}

struct CheckerRun {
  int status = -1;
  std::string out;
  std::string loaderLog;
};

// Runs linkmoor-check with `args`, the loader writing the files it loads to stderr.
CheckerRun runChecker(const std::string &args, const TempDir &scratch) {
  const std::string errFile = scratch.file("stderr.txt");
  const std::string command =
      "LD_DEBUG=files '" + checkerPath() + "' --json " + args + " 2>'" + errFile + "'";
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
  run.loaderLog = text.str();
  return run;
}

TEST(NetworkLibrary, IsLoadedOnlyByARunThatGoesToTheNetwork) {
  if (!std::filesystem::exists(checkerPath())) GTEST_SKIP() << "linkmoor-check is not built";
  const int port = closedPort();
  ASSERT_NE(port, 0);
  TempDir site;
  site.write("a.htm", "<a href=\"http://127.0.0.1:" + std::to_string(port) + "/x.htm\">x</a>\n");

  const CheckerRun offline = runChecker("--no-internet '" + site.path() + "'", site);
  EXPECT_EQ(offline.status, 0) << offline.out;
  ASSERT_NE(offline.loaderLog.find("libc.so"), std::string::npos) << "no loader log";
  EXPECT_EQ(offline.loaderLog.find("libcurl"), std::string::npos);

  const CheckerRun online = runChecker("'" + site.path() + "'", site);
  EXPECT_EQ(online.status, 1) << online.out;
  EXPECT_NE(online.out.find("\"remoteLinksMissing\":1"), std::string::npos) << online.out;
  EXPECT_NE(online.loaderLog.find("libcurl.so"), std::string::npos);
}

} // namespace
