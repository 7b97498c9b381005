#include "platform/http_check.h"
#include "platform/program_info.h"
#include "support/http_test_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace linkmoor {
namespace {

using test::HttpTestServer;

constexpr HttpAnswer kFound = HttpAnswer::Ok;
constexpr HttpAnswer kSiteMissing = HttpAnswer::NoSite;
constexpr HttpAnswer kFileMissing = HttpAnswer::NotOk;

class HttpCheckTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    // Requests must go straight to 127.0.0.1, never through a proxy of the machine.
    for (const char *name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
                             "no_proxy", "NO_PROXY"})
      unsetenv(name);
  }

  HttpTestServer server;
};

TEST_F(HttpCheckTest, NetworkStartsOnceAndStaysStarted) {
  EXPECT_TRUE(initNetwork());
  EXPECT_TRUE(initNetwork());
}

TEST_F(HttpCheckTest, StatusDecidesTheResult) {
  EXPECT_EQ(httpCheck(server.url("/ok")), kFound);
  EXPECT_EQ(httpCheck(server.url("/missing")), kFileMissing);
  EXPECT_EQ(httpCheck(server.url("/error")), kFileMissing);
  EXPECT_EQ(httpCheck(server.url("/no/such/route")), kFileMissing);
}

TEST_F(HttpCheckTest, OtherSuccessCodesAreNotFound) {
  server.addRoute("/created", [](const httplib::Request &, httplib::Response &response) {
    response.status = 204;
  });
  EXPECT_EQ(httpCheck(server.url("/created")), kFileMissing);
}

TEST_F(HttpCheckTest, EmptyBodyWith200IsFound) {
  server.addRoute("/empty", [](const httplib::Request &, httplib::Response &response) {
    response.status = 200;
  });
  EXPECT_EQ(httpCheck(server.url("/empty")), kFound);
}

TEST_F(HttpCheckTest, RedirectIsFollowedToTheFinalAnswer) {
  EXPECT_EQ(httpCheck(server.url("/moved")), kFound);
  EXPECT_EQ(server.requestCount("/moved"), 1);
  EXPECT_EQ(server.requestCount("/ok"), 1);
}

TEST_F(HttpCheckTest, RedirectChainEndingIn404IsMissingFile) {
  server.addRoute("/old", [](const httplib::Request &, httplib::Response &response) {
    response.set_redirect("/missing", 302);
  });
  EXPECT_EQ(httpCheck(server.url("/old")), kFileMissing);
}

TEST_F(HttpCheckTest, RedirectLoopEndsAfterTheLimit) {
  HttpCheckOptions options;
  options.maxRedirects = 5;
  EXPECT_EQ(httpCheck(server.url("/loop"), options), kFileMissing);
  EXPECT_EQ(server.requestCount("/loop"), 6);
}

TEST_F(HttpCheckTest, RedirectToDeadPortMeansSiteMissing) {
  std::string dead = "http://127.0.0.1:" + std::to_string(test::refusedPort()) + "/";
  server.addRoute("/away", [dead](const httplib::Request &, httplib::Response &response) {
    response.set_redirect(dead, 301);
  });
  EXPECT_EQ(httpCheck(server.url("/away")), kSiteMissing);
}

TEST_F(HttpCheckTest, SendsOneGetWithTheProgramAsUserAgent) {
  std::string agent, method;
  server.addRoute("/who", [&](const httplib::Request &request, httplib::Response &response) {
    agent = request.get_header_value("User-Agent");
    method = request.method;
    response.status = 200;
  });
  EXPECT_EQ(httpCheck(server.url("/who")), kFound);
  EXPECT_EQ(server.requestCount("/who"), 1);
  EXPECT_EQ(method, "GET");
  EXPECT_EQ(agent, userAgent());
}

TEST_F(HttpCheckTest, LargeBodyIsNotReadToItsEnd) {
  const std::uint64_t fifty = 50ull * 1024 * 1024;
  EXPECT_EQ(httpCheck(server.url("/big/" + std::to_string(fifty))), kFound);
  server.stop(); // waits for the sending thread to give up
  EXPECT_LT(server.bodyBytesSent(), fifty / 2);
}

TEST_F(HttpCheckTest, RedirectBodyIsNotReadBeforeTheRedirectIsFollowed) {
  const std::uint64_t gigabyte = 1ull << 30;
  std::atomic<std::uint64_t> sent{0};
  server.addRoute("/heavy-move", [&](const httplib::Request &, httplib::Response &response) {
    response.status = 302;
    response.set_header("Location", "/ok");
    response.set_content_provider(gigabyte, "application/octet-stream",
                                  [&](size_t offset, size_t length, httplib::DataSink &sink) {
                                    static const std::string block(64 * 1024, 'x');
                                    const size_t n = std::min(length, block.size());
                                    if (!sink.write(block.data(), n)) return false;
                                    sent += n;
                                    (void)offset;
                                    return true;
                                  });
  });
  EXPECT_EQ(httpCheck(server.url("/heavy-move")), kFound);
  EXPECT_EQ(server.requestCount("/ok"), 1);
  server.stop(); // waits for the sending thread to give up
  // Socket buffers take a few megabytes before the closed connection shows.
  EXPECT_LT(sent.load(), 64ull * 1024 * 1024);
}

TEST_F(HttpCheckTest, HugeHeaderMeansTheSiteExists) {
  server.addRoute("/huge-header", [](const httplib::Request &, httplib::Response &response) {
    response.set_header("X-Padding", std::string(10 * 1024 * 1024, 'h'));
    response.set_content("ok", "text/plain");
  });
  EXPECT_EQ(httpCheck(server.url("/huge-header")), kFileMissing);
}

TEST_F(HttpCheckTest, StopDuringAHangingRequestEndsTheCheck) {
  std::atomic<bool> stop{false};
  HttpCheckOptions options;
  options.abort = [&] { return stop.load(); };
  std::thread presser([&] {
    server.waitForRequests("/hang", 1);
    stop = true;
  });
  // Without the abort this would wait for the 60 s stall limit.
  HttpAnswer result = httpCheck(server.url("/hang"), options);
  presser.join();
  EXPECT_EQ(result, kFileMissing); // the request had gone out
  EXPECT_EQ(server.requestCount("/hang"), 1);
}

TEST_F(HttpCheckTest, StopBeforeTheCheckSendsNothing) {
  HttpCheckOptions options;
  options.abort = [] { return true; };
  EXPECT_EQ(httpCheck(server.url("/ok"), options), kSiteMissing);
  EXPECT_EQ(server.requestCount("/ok"), 0);
}

TEST_F(HttpCheckTest, RefusedPortMeansSiteMissing) {
  EXPECT_EQ(httpCheck("http://127.0.0.1:" + std::to_string(test::refusedPort()) + "/x.htm"),
            kSiteMissing);
}

TEST_F(HttpCheckTest, UnknownHostMeansSiteMissing) {
  EXPECT_EQ(httpCheck("http://linkmoor-check.invalid/index.htm"), kSiteMissing);
  EXPECT_EQ(httpCheck("https://linkmoor-check.invalid/"), kSiteMissing);
}

TEST_F(HttpCheckTest, HttpsToAPlainHttpPortMeansSiteMissing) {
  EXPECT_EQ(httpCheck("https://127.0.0.1:" + std::to_string(server.port()) + "/ok"), kSiteMissing);
}

TEST_F(HttpCheckTest, PortIsTakenFromTheUrl) {
  HttpTestServer other;
  EXPECT_EQ(httpCheck(other.url("/ok")), kFound);
  EXPECT_EQ(other.requestCount("/ok"), 1);
  EXPECT_EQ(server.requestCount("/ok"), 0);
  EXPECT_EQ(httpCheck("HTTP://127.0.0.1:" + std::to_string(server.port()) + "/ok"), kFound);
  EXPECT_EQ(server.requestCount("/ok"), 1);
}

TEST_F(HttpCheckTest, SchemesOtherThanHttpAreNotFetched) {
  std::string port = std::to_string(server.port());
  EXPECT_EQ(httpCheck("ftp://127.0.0.1:" + port + "/ok"), kSiteMissing);
  EXPECT_EQ(httpCheck("file:///etc/hostname"), kSiteMissing);
  EXPECT_EQ(httpCheck("gopher://127.0.0.1:" + port + "/ok"), kSiteMissing);
  EXPECT_EQ(server.requestCount("/ok"), 0);
}

TEST_F(HttpCheckTest, AddressIsSentAsABrowserWould) {
  server.addRoute("/my page.htm", [](const httplib::Request &, httplib::Response &response) {
    response.status = 200;
  });
  server.addRoute("/caf\xE9.htm", [](const httplib::Request &, httplib::Response &response) {
    response.status = 200;
  });
  EXPECT_EQ(httpCheck(server.url("/my page.htm")), kFound);
  EXPECT_EQ(httpCheck(server.url("/my%20page.htm")), kFound);
  EXPECT_EQ(httpCheck(server.url("/caf\xE9.htm")), kFound);
  EXPECT_EQ(httpCheck("  " + server.url("/ok#top") + " \r\n"), kFound);
  EXPECT_EQ(httpCheck(server.url("/o\nk")), kFound);
  EXPECT_EQ(httpCheck(server.url("/ok?x=1&y=a b")), kFound);
}

TEST_F(HttpCheckTest, OddAddressesGiveAResult) {
  std::string base = server.url("");
  EXPECT_EQ(httpCheck(""), kSiteMissing);
  EXPECT_EQ(httpCheck("http://"), kSiteMissing);
  EXPECT_EQ(httpCheck("://"), kSiteMissing);
  EXPECT_EQ(httpCheck(std::string("http://127.0.0.1\0/ok", 21)), kSiteMissing);
  EXPECT_EQ(httpCheck("http://127.0.0.1\x01:80/"), kSiteMissing);
  EXPECT_EQ(httpCheck("http://ho st.invalid/"), kSiteMissing);
  EXPECT_EQ(httpCheck("http://\xE9t\xE9.invalid/"), kSiteMissing);
  EXPECT_EQ(httpCheck(base + "/a\x01\x7F\x1F"
                             "b"),
            kFileMissing);
  EXPECT_EQ(httpCheck(base + "/\xFF\xFE<>{}|^`\""), kFileMissing);
  EXPECT_EQ(httpCheck("http://127.0.0.1:99999/"), kSiteMissing);
  EXPECT_EQ(httpCheck("http://127.0.0.1:port/"), kSiteMissing);
}

TEST_F(HttpCheckTest, MegabyteAddressGivesAResult) {
  HttpAnswer result = httpCheck(server.url("/" + std::string(1024 * 1024, 'a')));
  EXPECT_TRUE(result == kSiteMissing || result == kFileMissing) << static_cast<int>(result);
  HttpAnswer hostResult = httpCheck("http://" + std::string(1024 * 1024, 'h') + ".invalid/");
  EXPECT_EQ(hostResult, kSiteMissing);
}

TEST_F(HttpCheckTest, ChecksRunInParallel) {
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 10; ++i) {
        if (httpCheck(server.url("/ok")) != kFound) ++wrong;
        if (httpCheck(server.url("/missing")) != kFileMissing) ++wrong;
        if (httpCheck(server.url("/moved")) != kFound) ++wrong;
      }
    });
  }
  for (auto &thread : threads)
    thread.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(server.requestCount("/ok"), 160);
}

} // namespace
} // namespace linkmoor
