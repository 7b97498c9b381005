#include "cli/memory_gate.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using linkmoor::cli::GateHold;
using linkmoor::cli::MemoryGate;

TEST(MemoryGate, HeldBytesNeverExceedTheLimitAndALargePageRunsAlone) {
  MemoryGate gate(150);
  std::atomic<int> held{0}, peak{0}, alone{0};
  std::vector<std::thread> threads;
  const int sizes[] = {100, 40, 40, 200, 40, 100, 10, 10, 150, 60};
  for (int size : sizes)
    threads.emplace_back([&, size] {
      GateHold hold(gate, static_cast<std::uint64_t>(size));
      int now = held += size;
      int seen = peak.load();
      while (now > seen && !peak.compare_exchange_weak(seen, now)) {
      }
      if (size > 150 && now == size) ++alone;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      held -= size;
    });
  for (auto &t : threads)
    t.join();
  EXPECT_EQ(alone.load(), 1);
  EXPECT_LE(peak.load(), 200);
  EXPECT_EQ(held.load(), 0);
}

TEST(MemoryGate, AWaitingPageIsNotOvertakenBySmallerOnes) {
  MemoryGate gate(100);
  gate.acquire(60);
  std::atomic<bool> bigAdmitted{false}, smallAdmitted{false};
  auto waitForWaiting = [&](std::uint64_t count) {
    for (int i = 0; i < 5000 && gate.waiting() != count; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return gate.waiting() == count;
  };
  std::thread big([&] {
    gate.acquire(80);
    bigAdmitted = true;
  });
  ASSERT_TRUE(waitForWaiting(1));
  std::thread small([&] {
    gate.acquire(10);
    smallAdmitted = true;
  });
  ASSERT_TRUE(waitForWaiting(2));
  EXPECT_FALSE(bigAdmitted);
  EXPECT_FALSE(smallAdmitted) << "the small page would fit but waits its turn";
  gate.release(60);
  big.join();
  small.join();
  EXPECT_TRUE(bigAdmitted && smallAdmitted);
}

TEST(MemoryGate, RaisingTheLimitAdmitsAWaitingPage) {
  linkmoor::cli::MemoryGate gate(0);
  gate.acquire(100); // alone: nothing held
  std::atomic<bool> admitted{false};
  std::thread second([&] {
    gate.acquire(50);
    admitted = true;
    gate.release(50);
  });
  while (gate.waiting() == 0)
    std::this_thread::yield();
  EXPECT_FALSE(admitted.load());
  gate.raiseLimit(150);
  second.join();
  EXPECT_TRUE(admitted.load());
  gate.release(100);
}

namespace {

// True when `flag` is still clear after a while: a thread that should be waiting
// has not gone past the point that sets it.
bool stillClearAfterAWhile(const std::atomic<bool> &flag) {
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return !flag.load();
}

} // namespace

TEST(MemoryGateTurns, NobodyIsAdmittedWhileAPageIsReadInItsTurn) {
  MemoryGate gate(100);
  const std::uint64_t reader = gate.enqueue();
  gate.waitTurn(reader, 40); // the text fits: the page is read now
  std::atomic<bool> admitted{false};
  std::thread later([&] {
    gate.acquire(10);
    admitted = true;
  });
  EXPECT_TRUE(stillClearAfterAWhile(admitted)) << "admitted before the turn ended";
  gate.admit(90); // the whole need, counted from what was read
  later.join();
  EXPECT_TRUE(admitted.load());
  gate.release(90);
  gate.release(10);
}

TEST(MemoryGateTurns, TheWholeNeedWaitsUntilItFitsWithoutGivingUpTheTurn) {
  MemoryGate gate(100);
  gate.acquire(50);
  const std::uint64_t reader = gate.enqueue();
  gate.waitTurn(reader, 40);
  std::atomic<bool> readerIn{false}, laterIn{false};
  std::thread finish([&] {
    gate.admit(80); // does not fit beside the 50 held
    readerIn = true;
  });
  std::thread later([&] {
    gate.acquire(10); // would fit, but the turn is the reader's
    laterIn = true;
  });
  EXPECT_TRUE(stillClearAfterAWhile(readerIn));
  EXPECT_FALSE(laterIn.load());
  gate.release(50);
  finish.join();
  later.join();
  EXPECT_TRUE(readerIn && laterIn);
}
