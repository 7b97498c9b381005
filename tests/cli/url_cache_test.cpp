#include "cli/url_cache.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <thread>

using linkmoor::LinkStatus;
using linkmoor::cli::UrlCache;

TEST(UrlCache, EachUrlIsCheckedOnceHoweverOftenItIsAsked) {
  std::mutex mutex;
  std::map<std::string, int> calls;
  UrlCache cache(
      [&](const std::string &url) {
        std::lock_guard lock(mutex);
        ++calls[url];
        return url == "http://bad/" ? LinkStatus::NoWebFile : LinkStatus::Found;
      },
      4);
  for (int i = 0; i < 10; ++i) {
    cache.request("http://good/");
    cache.request("http://bad/");
  }
  EXPECT_EQ(cache.result("http://good/"), LinkStatus::Found);
  EXPECT_EQ(cache.result("http://bad/"), LinkStatus::NoWebFile);
  EXPECT_EQ(cache.result("http://never-requested/"), LinkStatus::Found);
  EXPECT_EQ(calls["http://good/"], 1);
  EXPECT_EQ(calls["http://bad/"], 1);
  EXPECT_EQ(cache.checkedCount(), 3u);
  EXPECT_EQ(cache.knownCount(), 3u);
}

TEST(UrlCache, RunsUpToJobsChecksAtOnce) {
  std::atomic<int> running{0}, peak{0}, arrived{0};
  UrlCache cache(
      [&](const std::string &) {
        int now = ++running;
        int seen = peak.load();
        while (now > seen && !peak.compare_exchange_weak(seen, now)) {
        }
        // The first three checks wait for each other (for at most five seconds), so
        // three at once is reached however the threads are scheduled.
        if (++arrived <= 3)
          for (int i = 0; i < 5000 && arrived < 3; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        --running;
        return LinkStatus::Found;
      },
      3);
  for (int i = 0; i < 12; ++i)
    cache.request("http://h/" + std::to_string(i));
  for (int i = 0; i < 12; ++i)
    cache.result("http://h/" + std::to_string(i));
  EXPECT_EQ(peak.load(), 3);
}

TEST(UrlCache, DestroyingWithQueuedWorkDoesNotHang) {
  UrlCache cache(
      [](const std::string &) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return LinkStatus::Found;
      },
      1);
  for (int i = 0; i < 100; ++i)
    cache.request("http://h/" + std::to_string(i));
}
