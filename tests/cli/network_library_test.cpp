// linkmoor-check loads the network library only when a run goes to the network:
// the dynamic loader's own account of the files it loads tells.

#include "checker_process.h"
#include "support/temp_dir.h"

#include <arpa/inet.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

using linkmoor::test::checkerPath;
using linkmoor::test::CheckerRun;
using linkmoor::test::runChecker;
using linkmoor::test::TempDir;

namespace {

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

// Runs linkmoor-check with `args`, the loader writing the files it loads to stderr.
CheckerRun runLogged(const std::vector<std::string> &args, const TempDir &scratch) {
  return runChecker(args, scratch, "LD_DEBUG=files");
}

TEST(NetworkLibrary, IsLoadedOnlyByARunThatGoesToTheNetwork) {
  if (!std::filesystem::exists(checkerPath())) GTEST_SKIP() << "linkmoor-check is not built";
  const int port = closedPort();
  ASSERT_NE(port, 0);
  TempDir site;
  site.write("a.htm", "<a href=\"http://127.0.0.1:" + std::to_string(port) + "/x.htm\">x</a>\n");

  const CheckerRun offline = runLogged({"--json", "--no-internet", site.path()}, site);
  EXPECT_EQ(offline.status, 0) << offline.out;
  ASSERT_NE(offline.err.find("libc.so"), std::string::npos) << "no loader log";
  EXPECT_EQ(offline.err.find("libcurl"), std::string::npos);

  const CheckerRun online = runLogged({"--json", site.path()}, site);
  EXPECT_EQ(online.status, 1) << online.out;
  EXPECT_NE(online.out.find("\"remoteLinksMissing\":1"), std::string::npos) << online.out;
  EXPECT_NE(online.err.find("libcurl.so"), std::string::npos);
}

} // namespace
