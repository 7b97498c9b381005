// Each disk path of a run is looked at once, and threads sharing the results
// all get the right answer.
#include "engine/disk_result_cache.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace linkmoor;
using linkmoor::test::TempDir;

namespace {

std::atomic<int> looks{0};

DiskProbe countingProbe() {
  DiskProbe probe = systemDiskProbe();
  probe.readable = [](const char *path) {
    ++looks;
    return systemDiskProbe().readable(path);
  };
  return probe;
}

} // namespace

TEST(DiskResultCache, EachPathIsLookedAtOnceAndEveryThreadGetsItsAnswer) {
  TempDir dir;
  std::vector<std::string> paths;
  for (int i = 0; i < 100; ++i) {
    if (i % 2 == 0) dir.write("f" + std::to_string(i), "x");
    paths.push_back(dir.file("f" + std::to_string(i)));
  }
  const DiskProbe probe = countingProbe();
  DiskResultCache cache(probe);
  looks = 0;
  for (int round = 0; round < 20; ++round)
    for (int i = 0; i < 100; ++i)
      ASSERT_EQ(cache.check(paths[i]), i % 2 == 0 ? LinkStatus::Found : LinkStatus::NoDiskFile);
  EXPECT_EQ(looks.load(), 100);

  DiskResultCache shared(probe);
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round)
        for (int i = 0; i < 100; ++i) {
          const int k = (i * 7 + t * 13 + round) % 100;
          wrong +=
              shared.check(paths[k]) != (k % 2 == 0 ? LinkStatus::Found : LinkStatus::NoDiskFile);
        }
    });
  for (auto &thread : threads)
    thread.join();
  EXPECT_EQ(wrong.load(), 0);
}
