// Pages read once under the memory gate: a place not used is given up in its
// turn, and a page that cannot be read holds nothing.
#include "cli/page_admission.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <sys/stat.h>
#include <thread>

using namespace linkmoor::cli;
using linkmoor::LoadedPage;
using linkmoor::PageRead;
using linkmoor::test::TempDir;

TEST(PageAdmission, APageIsHeldWithItsWholeNeedAndOthersHoldNothing) {
  TempDir dir;
  dir.write("page.htm", "<a href=\"x:y\">");
  dir.write("empty.htm", "");
  dir.write("binary.htm", std::string("<p>\0</p>", 8));
  MemoryGate gate(0);
  LoadedPage page;
  {
    GatePlace place(gate);
    const auto hold = admitPage(place, dir.file("page.htm"), page);
    EXPECT_EQ(page.read, PageRead::Text);
    EXPECT_EQ(std::string(page.bytes.data(), 14), "<a href=\"x:y\">");
    EXPECT_EQ(page.bytes.data()[14], '\0');
    ASSERT_TRUE(hold);
    EXPECT_EQ(place.gate(), nullptr);
    // Held: another page of the same need is let in only beside it, within the
    // limit raised to one and a half times that need.
    const std::uint64_t need = 2 * 14 + 2 * kRecordBytesPerMarker;
    const std::uint64_t room = need + need / 2 - need;
    GateHold beside(gate, room);
  }
  const struct {
    const char *name;
    PageRead read;
  } unread[] = {
      {"missing.htm", PageRead::CannotOpen},
      {"empty.htm", PageRead::Empty},
      {"binary.htm", PageRead::Binary},
      {"", PageRead::CannotOpen}, // the folder itself
  };
  for (const auto &file : unread) {
    GatePlace place(gate);
    EXPECT_FALSE(admitPage(place, dir.file(file.name), page)) << file.name;
    EXPECT_EQ(page.read, file.read) << file.name;
  }
  // Every unused place was given up: a page far larger than the limit is
  // admitted alone at once.
  GateHold alone(gate, 1u << 30);
}

TEST(PageAdmission, AFifoIsNeverOpened) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.file("pipe.htm").c_str(), 0600), 0);
  MemoryGate gate(0);
  GatePlace place(gate);
  LoadedPage page;
  // Opening a FIFO for reading would wait for a writer.
  EXPECT_FALSE(admitPage(place, dir.file("pipe.htm"), page));
  EXPECT_EQ(page.read, PageRead::CannotOpen);
}

TEST(PageAdmission, ALargePageWaitsUntilItsTextFitsAndIsReadWhole) {
  TempDir dir;
  const std::string large(static_cast<std::size_t>(kReadBeforeTurn) + 1, 'c');
  dir.write("large.htm", large);
  MemoryGate gate(0);
  LoadedPage page;
  std::atomic<bool> admitted{false};
  // Far more than the limit the page raises: it waits until this is let go.
  auto held = std::make_unique<GateHold>(gate, 1u << 30);
  std::thread reader([&] {
    GatePlace place(gate);
    admitted = admitPage(place, dir.file("large.htm"), page) != nullptr;
  });
  while (gate.waiting() == 0)
    std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(admitted.load());
  held.reset();
  reader.join();
  EXPECT_TRUE(admitted.load());
  EXPECT_EQ(std::string(page.bytes.data(), static_cast<std::size_t>(page.size)), large);
}
