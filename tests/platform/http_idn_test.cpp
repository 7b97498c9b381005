// Addresses as a browser sends them: an internationalised host name in its ASCII form,
// bytes above 127 and blanks in the path percent-encoded. A local server stands in as
// the proxy, so it sees the whole address that would go to the named host.
#include "platform/http_check.h"
#include "support/http_test_server.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace linkmoor {
namespace {

class ProxyEnvironment {
public:
  explicit ProxyEnvironment(const std::string &proxy) {
    setenv("http_proxy", proxy.c_str(), 1);
    unsetenv("no_proxy");
    unsetenv("NO_PROXY");
  }
  ~ProxyEnvironment() { unsetenv("http_proxy"); }
};

TEST(HttpAddress, HostInItsAsciiFormAndPathBytesEncoded) {
  test::HttpTestServer proxy;
  const ProxyEnvironment environment("http://127.0.0.1:" + std::to_string(proxy.port()));
  // U+00E9 (é) in the host and the path, and a blank in the path.
  EXPECT_EQ(httpCheck("http://caf\xC3\xA9.example/d\xC3\xA9j\xC3\xA0 vu.htm"), HttpAnswer::NotOk);
  // The server decodes the path it counts; a blank or a raw byte above 127 would not have
  // been sent at all.
  EXPECT_EQ(proxy.requestCount("http://xn--caf-dma.example/d\xC3\xA9j\xC3\xA0 vu.htm"), 1);
}

} // namespace
} // namespace linkmoor
