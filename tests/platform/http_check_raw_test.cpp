// HTTP checks against servers that misbehave at the socket level, which a real web
// server library will not do on purpose.
#include "platform/http_check.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace linkmoor {
namespace {

constexpr HttpAnswer kFound = HttpAnswer::Ok;
constexpr HttpAnswer kSiteMissing = HttpAnswer::NoSite;
constexpr HttpAnswer kFileMissing = HttpAnswer::NotOk;

// A socket bound to a free port on 127.0.0.1; listening only when asked.
int boundSocket(int &port, bool listening) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0 ||
      (listening && listen(fd, 4) != 0))
    throw std::runtime_error("cannot set up a socket on 127.0.0.1");
  port = ntohs(address.sin_port);
  return fd;
}

// Accepts one connection, reads the request head, sends `reply` as it is and closes.
class OneShotServer {
public:
  explicit OneShotServer(std::string reply) : reply_(std::move(reply)) {
    listener_ = boundSocket(port_, true);
    thread_ = std::thread([this] { serve(); });
  }
  ~OneShotServer() {
    shutdown(listener_, SHUT_RDWR); // wakes accept() when no client came
    thread_.join();
    close(listener_);
  }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/page.htm"; }
  const std::string &request() const { return request_; }

private:
  void serve() {
    int client = accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    char buffer[4096];
    while (request_.find("\r\n\r\n") == std::string::npos) {
      ssize_t got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request_.append(buffer, static_cast<size_t>(got));
    }
    if (!reply_.empty()) send(client, reply_.data(), reply_.size(), MSG_NOSIGNAL);
    close(client);
  }

  std::string reply_;
  std::string request_;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

TEST(HttpCheckRawTest, ClosingWithoutAnswerMeansNoStatus) {
  OneShotServer server("");
  EXPECT_EQ(httpCheck(server.url()), kFileMissing);
}

TEST(HttpCheckRawTest, AnswerThatIsNotHttpMeansNoStatus) {
  OneShotServer server("hello, this is not a web server\r\n");
  EXPECT_EQ(httpCheck(server.url()), kFileMissing);
}

TEST(HttpCheckRawTest, TruncatedStatusLineMeansNoStatus) {
  OneShotServer server("HTTP/1.1 20");
  EXPECT_EQ(httpCheck(server.url()), kFileMissing);
}

TEST(HttpCheckRawTest, BareStatusLineIsEnough) {
  OneShotServer server("HTTP/1.0 200 OK\r\n\r\n");
  EXPECT_EQ(httpCheck(server.url()), kFound);
  EXPECT_EQ(server.request().rfind("GET /page.htm HTTP/1.1\r\n", 0), 0u) << server.request();
}

TEST(HttpCheckRawTest, BodyCutShortAfterTheStatusStillCounts) {
  OneShotServer server("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nonly a little");
  EXPECT_EQ(httpCheck(server.url()), kFound);
}

TEST(HttpCheckRawTest, SilentServerEndsAtTheStallLimit) {
  int port = 0;
  int listener = boundSocket(port, true); // accepted by the kernel, never answered
  HttpCheckOptions options;
  options.stallTimeoutSeconds = 1;
  EXPECT_EQ(httpCheck("http://127.0.0.1:" + std::to_string(port) + "/", options), kFileMissing);
  close(listener);
}

TEST(HttpCheckRawTest, TricklingServerEndsAtTheTotalLimit) {
  int port = 0;
  int listener = boundSocket(port, true);
  std::atomic<bool> done{false};
  std::thread trickle([&] {
    int client = accept(listener, nullptr, nullptr);
    if (client < 0) return;
    // A header line that never ends, one byte every 100 ms: never stalled, never done.
    const std::string head = "HTTP/1.1 200 OK\r\nX-Slow: ";
    send(client, head.data(), head.size(), MSG_NOSIGNAL);
    while (!done && send(client, "a", 1, MSG_NOSIGNAL) == 1)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    close(client);
  });
  HttpCheckOptions options;
  options.stallTimeoutSeconds = 30;
  options.totalTimeoutSeconds = 1;
  EXPECT_EQ(httpCheck("http://127.0.0.1:" + std::to_string(port) + "/", options), kFileMissing);
  done = true;
  shutdown(listener, SHUT_RDWR);
  trickle.join();
  close(listener);
}

TEST(HttpCheckRawTest, RefusedConnectMeansSiteMissing) {
  int port = 0;
  int bound = boundSocket(port, false); // bound, not listening
  EXPECT_EQ(httpCheck("http://127.0.0.1:" + std::to_string(port) + "/"), kSiteMissing);
  close(bound);
}

// A listener whose queue is full: further connection requests are dropped unanswered.
class FullQueue {
public:
  FullQueue() {
    listener_ = boundSocket(port_, false);
    if (listen(listener_, 0) != 0) throw std::runtime_error("listen failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port_));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < 3; ++i) {
      int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
      fillers_.push_back(fd);
    }
  }
  ~FullQueue() {
    for (int fd : fillers_)
      close(fd);
    close(listener_);
  }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

private:
  int listener_ = -1;
  int port_ = 0;
  std::vector<int> fillers_;
};

TEST(HttpCheckRawTest, UnansweredConnectEndsAtTheConnectLimit) {
  FullQueue queue;
  HttpCheckOptions options;
  options.connectTimeoutSeconds = 1;
  EXPECT_EQ(httpCheck(queue.url(), options), kSiteMissing);
}

TEST(HttpCheckRawTest, StopDuringTheConnectMeansNothingSent) {
  FullQueue queue;
  int polls = 0;
  HttpCheckOptions options;
  options.abort = [&] { return ++polls > 3; };
  EXPECT_EQ(httpCheck(queue.url(), options), kSiteMissing);
  EXPECT_EQ(polls, 4);
}

} // namespace
} // namespace linkmoor
