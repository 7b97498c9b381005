#pragma once
// A small web server for tests: listens on 127.0.0.1 on a port the system picks and
// answers on its own threads until it is stopped or destroyed.

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace linkmoor::test {

/// Test web server on 127.0.0.1 with these built-in GET routes:
/// "/ok" 200 with a short page; "/missing" 404; "/error" 500; "/moved" 301 to "/ok";
/// "/loop" 302 to itself; "/delay/<ms>" 200 after <ms> milliseconds (cut short by `stop`);
/// "/hang" answers nothing until the server stops; "/big/<bytes>" 200 with a body of that
/// many bytes, of which `bodyBytesSent` tells how many were handed to the socket.
/// Any other path gives 404. Every request is counted by its path.
class HttpTestServer {
public:
  using Handler = httplib::Server::Handler;

  /// Binds and starts serving; throws std::runtime_error when no port can be bound.
  HttpTestServer();
  /// Stops the server (see `stop`).
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer &) = delete;
  HttpTestServer &operator=(const HttpTestServer &) = delete;

  /// The port the server listens on.
  int port() const { return port_; }
  /// "http://127.0.0.1:<port>" followed by `path` (which should begin with "/").
  std::string url(const std::string &path) const;
  /// Adds or replaces the GET handler of exactly `path`; takes precedence over the
  /// built-in routes. May be called while the server runs.
  void addRoute(const std::string &path, Handler handler);
  /// How many requests arrived for `path` (the path without its query).
  int requestCount(const std::string &path) const;
  /// Waits until `requestCount(path)` reaches `count` or `limit` passes; true when reached.
  bool waitForRequests(const std::string &path, int count,
                       std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
  /// Body bytes of "/big/<bytes>" answers handed to the socket so far, all requests together.
  std::uint64_t bodyBytesSent() const { return bodyBytesSent_; }
  /// Releases waiting handlers ("/hang", "/delay"), stops listening and joins the threads.
  /// Safe to call twice.
  void stop();

private:
  void dispatch(const httplib::Request &request, httplib::Response &response);
  bool builtIn(const httplib::Request &request, httplib::Response &response);
  /// Waits until the server stops or `limit` passes; true when it stopped.
  bool waitForStop(std::chrono::milliseconds limit);

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  bool stopping_ = false;
  std::map<std::string, Handler> routes_;
  std::map<std::string, int> counts_;
  std::atomic<std::uint64_t> bodyBytesSent_{0};
};

/// A port on 127.0.0.1 on which nothing listens: bound once to learn a free port, then
/// closed, so that connecting to it is refused.
int refusedPort();

} // namespace linkmoor::test
