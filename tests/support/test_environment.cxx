#include "support/test_environment.h"

#include <cstdlib>
#include <initializer_list>

namespace linkmoor::test {

void clearProxyEnvironment() {
  for (const char *name : {"http_proxy", "https_proxy", "all_proxy", "no_proxy", "HTTP_PROXY",
                           "HTTPS_PROXY", "ALL_PROXY", "NO_PROXY", "ftp_proxy", "FTP_PROXY"})
    unsetenv(name);
}

} // namespace linkmoor::test
