// The one road from the worker thread to the widgets.
#include "app/gui_call.h"
#include "app_test_support.h"

#include <QApplication>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace linkmoor {
namespace {

TEST(GuiCall, RunsAtOnceOnTheGuiThread) {
  bool ran = false;
  guiCall([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(onGuiThread());
  EXPECT_EQ(guiResult([] { return 42; }), 42);
}

TEST(GuiCall, WorkerWaitsForTheGuiThread) {
  std::atomic<bool> onGui{false}, done{false};
  int result = 0;
  std::thread worker([&] {
    EXPECT_FALSE(onGuiThread());
    result = guiResult([&] {
      onGui = QThread::currentThread() == QApplication::instance()->thread();
      return 7;
    });
    done = true;
  });
  // The GUI thread keeps its event loop going until the worker's call has run.
  ASSERT_TRUE(test::waitUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_TRUE(onGui);
  EXPECT_EQ(result, 7);
}

} // namespace
} // namespace linkmoor

#ifndef NDEBUG
TEST(GuiCallDeathTest, WidgetCodeOffTheGuiThreadEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        std::thread worker([] { linkmoor::assertGuiThread("SummaryPage::setRowCells"); });
        worker.join();
      },
      "SummaryPage::setRowCells: a widget was touched off the GUI thread");
}
#endif
