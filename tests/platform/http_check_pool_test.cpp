// Many checks at once on one pool: answers, kept connections, the memo of hosts
// whose name was not found, cancelling, and the limit of checks at once.
#include "platform/http_check_pool.h"
#include "support/http_test_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace linkmoor {
namespace {

using test::HttpTestServer;

/// Collects the answers of a pool's checks and waits for them.
class Answers {
public:
  HttpCheckPool::Done slot(std::size_t index) {
    {
      std::lock_guard lock(mutex_);
      if (answers_.size() <= index) answers_.resize(index + 1, std::nullopt);
    }
    return [this, index](HttpAnswer answer) {
      std::lock_guard lock(mutex_);
      answers_[index] = answer;
      ++done_;
      changed_.notify_all();
    };
  }
  bool waitFor(int count, std::chrono::seconds limit = std::chrono::seconds(30)) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return done_ >= count; });
  }
  std::optional<HttpAnswer> at(std::size_t index) {
    std::lock_guard lock(mutex_);
    return answers_[index];
  }
  int done() {
    std::lock_guard lock(mutex_);
    return done_;
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::optional<HttpAnswer>> answers_;
  int done_ = 0;
};

class HttpCheckPoolTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    for (const char *name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
                             "no_proxy", "NO_PROXY"})
      unsetenv(name);
  }
  HttpTestServer server;
};

TEST_F(HttpCheckPoolTest, AnswersAreThoseOfSingleChecks) {
  HttpCheckPool pool;
  Answers answers;
  const std::vector<std::string> paths = {"/ok", "/missing", "/error", "/moved", "/loop"};
  for (std::size_t i = 0; i < paths.size(); ++i)
    pool.submit(server.url(paths[i]), answers.slot(i));
  pool.submit("http://127.0.0.1:" + std::to_string(test::refusedPort()) + "/", answers.slot(5));
  ASSERT_TRUE(answers.waitFor(6));
  EXPECT_EQ(answers.at(0), HttpAnswer::Ok);
  EXPECT_EQ(answers.at(1), HttpAnswer::NotOk);
  EXPECT_EQ(answers.at(2), HttpAnswer::NotOk);
  EXPECT_EQ(answers.at(3), HttpAnswer::Ok);
  EXPECT_EQ(answers.at(4), HttpAnswer::NotOk);
  EXPECT_EQ(answers.at(5), HttpAnswer::NoSite);
  for (std::size_t i = 0; i < paths.size(); ++i)
    EXPECT_EQ(answers.at(i), httpCheck(server.url(paths[i]))) << paths[i];
}

TEST_F(HttpCheckPoolTest, ConnectionsToAHostAreReused) {
  std::mutex mutex;
  std::set<int> clientPorts;
  server.addRoute("/counted", [&](const httplib::Request &request, httplib::Response &response) {
    {
      std::lock_guard lock(mutex);
      clientPorts.insert(request.remote_port);
    }
    response.set_content("ok", "text/plain");
  });
  HttpPoolOptions options;
  options.parallel = 4;
  HttpCheckPool pool(options);
  Answers answers;
  for (std::size_t i = 0; i < 40; ++i)
    pool.submit(server.url("/counted?n=" + std::to_string(i)), answers.slot(i));
  ASSERT_TRUE(answers.waitFor(40));
  EXPECT_EQ(server.requestCount("/counted"), 40);
  std::lock_guard lock(mutex);
  // A new connection per check would give 40 client ports; the test server ends a
  // connection after a few requests, so a handful more than 4 is still reuse.
  EXPECT_LE(clientPorts.size(), 20u);
  EXPECT_EQ(pool.counts().started, 40u);
}

TEST_F(HttpCheckPoolTest, AHostNotFoundIsLookedUpOnce) {
  std::atomic<int> lookups{0};
  HttpPoolOptions options;
  options.onLookup = [&](const std::string &host) {
    EXPECT_EQ(host, "linkmoor-pool.invalid");
    ++lookups;
  };
  HttpCheckPool pool(options);
  Answers answers;
  for (std::size_t i = 0; i < 20; ++i)
    pool.submit("http://linkmoor-pool.invalid/page" + std::to_string(i) + ".htm", answers.slot(i));
  ASSERT_TRUE(answers.waitFor(20));
  for (std::size_t i = 0; i < 20; ++i)
    EXPECT_EQ(answers.at(i), HttpAnswer::NoSite) << i;
  EXPECT_EQ(lookups.load(), 1);
  EXPECT_EQ(pool.counts().lookups, 1u);
  EXPECT_EQ(pool.counts().hostMemoHits, 19u);
  EXPECT_EQ(pool.counts().started, 1u);
  // Another pool (the next job) looks again.
  HttpCheckPool next(options);
  Answers again;
  next.submit("http://linkmoor-pool.invalid/", again.slot(0));
  ASSERT_TRUE(again.waitFor(1));
  EXPECT_EQ(lookups.load(), 2);
}

TEST_F(HttpCheckPoolTest, CancelEndsAHangingCheckAtOnce) {
  HttpCheckPool pool;
  Answers answers;
  const std::uint64_t hanging = pool.submit(server.url("/hang"), answers.slot(0));
  ASSERT_TRUE(server.waitForRequests("/hang", 1));
  pool.cancel(hanging);
  pool.submit(server.url("/ok"), answers.slot(1));
  ASSERT_TRUE(answers.waitFor(1));
  EXPECT_FALSE(answers.at(0).has_value());
  EXPECT_EQ(answers.at(1), HttpAnswer::Ok);
  EXPECT_EQ(pool.counts().cancelled, 1u);
}

TEST_F(HttpCheckPoolTest, NeverMoreChecksAtOnceThanAllowed) {
  std::atomic<int> inFlight{0};
  std::atomic<int> most{0};
  server.addRoute("/slow", [&](const httplib::Request &, httplib::Response &response) {
    const int now = ++inFlight;
    int seen = most.load();
    while (now > seen && !most.compare_exchange_weak(seen, now)) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    --inFlight;
    response.set_content("ok", "text/plain");
  });
  HttpPoolOptions options;
  options.parallel = 3;
  HttpCheckPool pool(options);
  Answers answers;
  for (std::size_t i = 0; i < 30; ++i)
    pool.submit(server.url("/slow?n=" + std::to_string(i)), answers.slot(i));
  ASSERT_TRUE(answers.waitFor(30));
  EXPECT_LE(most.load(), 3);
  EXPECT_GE(most.load(), 2);
}

TEST_F(HttpCheckPoolTest, DestroyingWithChecksRunningDoesNotWait) {
  Answers answers;
  {
    HttpCheckPool pool;
    for (std::size_t i = 0; i < 5; ++i)
      pool.submit(server.url("/hang?n=" + std::to_string(i)), answers.slot(i));
    ASSERT_TRUE(server.waitForRequests("/hang", 1));
  }
  EXPECT_EQ(answers.done(), 0);
}

} // namespace
} // namespace linkmoor
