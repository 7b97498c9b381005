#include "support/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace linkmoor::test {

namespace {

constexpr const char *kHost = "127.0.0.1";
// Enough worker threads for several hanging requests plus parallel checks.
constexpr size_t kWorkerThreads = 16;

// The number after `prefix` in `path` ("/delay/250" -> 250); false when there is none.
bool numberAfter(const std::string &path, const std::string &prefix, std::uint64_t &value) {
  if (path.compare(0, prefix.size(), prefix) != 0) return false;
  const char *first = path.data() + prefix.size();
  const char *last = path.data() + path.size();
  auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last;
}

} // namespace

HttpTestServer::HttpTestServer() {
  server_.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
  server_.Get(".*", [this](const httplib::Request &request, httplib::Response &response) {
    dispatch(request, response);
  });
  port_ = server_.bind_to_any_port(kHost);
  if (port_ <= 0) throw std::runtime_error("cannot bind a port on 127.0.0.1");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  // stop() does nothing before the accept loop runs, so wait for it.
  while (!server_.is_running())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

HttpTestServer::~HttpTestServer() { stop(); }

std::string HttpTestServer::url(const std::string &path) const {
  return "http://" + std::string(kHost) + ":" + std::to_string(port_) + path;
}

void HttpTestServer::addRoute(const std::string &path, Handler handler) {
  std::lock_guard lock(mutex_);
  routes_[path] = std::move(handler);
}

int HttpTestServer::requestCount(const std::string &path) const {
  std::lock_guard lock(mutex_);
  auto found = counts_.find(path);
  return found == counts_.end() ? 0 : found->second;
}

bool HttpTestServer::waitForRequests(const std::string &path, int count,
                                     std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] {
    auto found = counts_.find(path);
    return found != counts_.end() && found->second >= count;
  });
}

void HttpTestServer::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) {
    server_.stop();
    thread_.join();
  }
}

bool HttpTestServer::waitForStop(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [this] { return stopping_; });
}

void HttpTestServer::dispatch(const httplib::Request &request, httplib::Response &response) {
  Handler custom;
  {
    std::lock_guard lock(mutex_);
    ++counts_[request.path];
    auto found = routes_.find(request.path);
    if (found != routes_.end()) custom = found->second;
  }
  changed_.notify_all();
  if (custom) {
    custom(request, response);
    return;
  }
  if (!builtIn(request, response)) {
    response.status = 404;
    response.set_content("<html><body>No such page</body></html>", "text/html");
  }
}

bool HttpTestServer::builtIn(const httplib::Request &request, httplib::Response &response) {
  const std::string &path = request.path;
  std::uint64_t number = 0;
  if (path == "/ok") {
    response.status = 200;
    response.set_content("<html><body>Fine</body></html>", "text/html");
  } else if (path == "/missing") {
    response.status = 404;
    response.set_content("<html><body>Not found</body></html>", "text/html");
  } else if (path == "/error") {
    response.status = 500;
    response.set_content("<html><body>Server error</body></html>", "text/html");
  } else if (path == "/moved") {
    response.set_redirect("/ok", 301);
    response.set_content("<html><body>Moved to /ok</body></html>", "text/html");
  } else if (path == "/loop") {
    response.set_redirect("/loop", 302);
  } else if (numberAfter(path, "/delay/", number)) {
    waitForStop(std::chrono::milliseconds(number));
    response.status = 200;
    response.set_content("<html><body>Late</body></html>", "text/html");
  } else if (path == "/hang") {
    waitForStop(std::chrono::hours(24));
    response.status = 503;
  } else if (numberAfter(path, "/big/", number)) {
    response.status = 200;
    response.set_content_provider(number, "application/octet-stream",
                                  [this](size_t, size_t length, httplib::DataSink &sink) {
                                    static const std::vector<char> chunk(64 * 1024, 'x');
                                    size_t size = std::min(length, chunk.size());
                                    if (!sink.write(chunk.data(), size)) return false;
                                    bodyBytesSent_ += size;
                                    return true;
                                  });
  } else {
    return false;
  }
  return true;
}

int refusedPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = 0;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
    close(fd);
    throw std::runtime_error("cannot bind a port on 127.0.0.1");
  }
  close(fd);
  return ntohs(address.sin_port);
}

} // namespace linkmoor::test
