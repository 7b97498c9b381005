// The windowed program's analysis job checks a page's web links in parallel through
// one checker per job: the same rows as one check at a time, each address once per
// job, each unknown host looked up once per job, and Stop and Skip that end a page
// whose server never answers at once, cancelling its requests.
#include "workspace_test_support.h"

#include "app/progress_panel.h"
#include "engine/parallel_link_checker.h"
#include "support/http_test_server.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_info.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/summary_row.h"

#include <QApplication>
#include <QTreeWidgetItem>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

class ParallelChecksTest : public SheetTest {
protected:
  static void SetUpTestSuite() {
    for (const char *name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
                             "no_proxy", "NO_PROXY"})
      unsetenv(name);
  }

  ReportList *list() const { return sheet_->infoPage()->list(); }

  /// Writes `pages` pages web/p<i>.htm with the body `body(i)` and lists them.
  template <typename Body> void writePages(int pages, Body body) {
    for (int i = 0; i < pages; ++i)
      site_.write("web/p" + std::to_string(10 + i) + ".htm",
                  "<html><body>\n" + body(i) + "\n</body></html>\n");
    refreshSheet();
  }

  /// Runs job 100 over the folder web/ and waits for it.
  void analyzeWeb() {
    QTreeWidgetItem *root = sheet_->mainPage()->rootItem();
    QTreeWidgetItem *web = nullptr;
    for (int i = 0; i < root->childCount(); ++i)
      if (root->child(i)->text(0) == "web") web = root->child(i);
    ASSERT_NE(web, nullptr);
    sheet_->mainPage()->runCommand(CMD_ANALYZE_RECURSIVE, web);
  }

  std::vector<QStringList> rows() const {
    std::vector<QStringList> result;
    for (int r = 0; r < list()->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < 13; ++c)
        cells.append(list()->cellText(r, c));
      result.push_back(cells);
    }
    return result;
  }

  /// Jobs get the program's own parallel checker, shared with the test so that it
  /// can read what the checker did; `settings` as given.
  void useObservedChecker(ParallelCheckSettings settings = {}) {
    sheet_->setCheckerFactory([this, settings](JobControl &) {
      observed_ = std::make_shared<ParallelLinkChecker>(settings);
      return std::make_unique<SharedLinkChecker>(observed_);
    });
  }

  /// Waits, with the GUI thread's events going, until no job runs (at most a minute).
  bool waitForJob() {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (jobs_->isRunning() && std::chrono::steady_clock::now() < limit) {
      QApplication::processEvents(QEventLoop::AllEvents, 5);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    settle();
    return !jobs_->isRunning();
  }

  std::string link(const std::string &url) { return "<a href=\"" + url + "\">x</a>\n"; }

  HttpTestServer server_;
  std::shared_ptr<ParallelLinkChecker> observed_;
};

} // namespace

TEST_F(ParallelChecksTest, RowsEqualThoseOfTheOneAtATimeCheck) {
  const std::string refused = "http://127.0.0.1:" + std::to_string(refusedPort()) + "/x.htm";
  writePages(8, [&](int i) {
    const std::string n = std::to_string(i % 3);
    return link(server_.url("/ok")) + link(server_.url("/missing?p=" + n)) +
           link(server_.url("/moved")) + link(server_.url("/error")) +
           link(server_.url("/delay/" + std::to_string(5 * i))) +
           link("http://linkmoor-rows.invalid/" + n) + link(refused) + link("p10.htm") +
           link("gone.htm") + link(server_.url("/ok?i=" + std::to_string(i)));
  });
  sheet_->setCheckerFactory(
      [](JobControl &job) { return std::make_unique<NetworkLinkChecker>(&job); });
  analyzeWeb();
  ASSERT_TRUE(waitForJob());
  const std::vector<QStringList> one = rows();
  ASSERT_EQ(one.size(), 8u);
  EXPECT_EQ(one[0][12], "4"); // missing, error, unknown host, refused

  sheet_->setCheckerFactory({}); // the program's own checker
  analyzeWeb();
  ASSERT_TRUE(waitForJob());
  EXPECT_EQ(rows(), one);
}

TEST_F(ParallelChecksTest, AnAddressLinkedFromTenPagesIsAskedOncePerJob) {
  writePages(10, [&](int) { return link(server_.url("/ok")) + link(server_.url("/missing")); });
  sheet_->setCheckerFactory({});
  for (int job = 1; job <= 2; ++job) {
    analyzeWeb();
    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(server_.requestCount("/ok"), job);
    EXPECT_EQ(server_.requestCount("/missing"), job);
    for (const QStringList &row : rows())
      EXPECT_EQ(row.mid(11), QStringList({"2", "1"}));
  }
}

TEST_F(ParallelChecksTest, AnUnknownHostIsLookedUpOncePerJob) {
  writePages(10, [&](int i) {
    return link("http://linkmoor-job.invalid/a" + std::to_string(i)) +
           link("http://linkmoor-job.invalid/b" + std::to_string(i));
  });
  std::atomic<int> lookups{0};
  ParallelCheckSettings settings;
  settings.onLookup = [&](const std::string &) { ++lookups; };
  useObservedChecker(settings);
  for (int job = 1; job <= 2; ++job) {
    analyzeWeb();
    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(lookups.load(), job);
    for (const QStringList &row : rows())
      EXPECT_EQ(row.mid(11), QStringList({"2", "2"}));
  }
}

namespace {

enum class Press { Stop, Skip };

} // namespace

class HangingPageTest : public ParallelChecksTest, public ::testing::WithParamInterface<Press> {};

TEST_P(HangingPageTest, EndsThePageAtOnceAndCancelsItsRequests) {
  writePages(3, [&](int i) {
    if (i != 1) return link(server_.url("/ok"));
    std::string body;
    for (int n = 0; n < 5; ++n)
      body += link(server_.url("/hang?n=" + std::to_string(n)));
    return body;
  });
  ParallelCheckSettings settings;
  settings.http.connectTimeoutSeconds = settings.http.stallTimeoutSeconds = 300;
  useObservedChecker(settings);
  analyzeWeb();
  ASSERT_TRUE(waitUntil([&] { return server_.requestCount("/hang") == 5; }));
  // The panel shows the checks finished of the page and the target waited for.
  ASSERT_TRUE(waitUntil(
      [&] { return jobs_->panel()->line1() == "Requesting file from internet      0/5"; }));
  EXPECT_EQ(jobs_->panel()->line2(), QString::fromStdString(server_.url("/hang")));
  const auto pressed = std::chrono::steady_clock::now();
  if (GetParam() == Press::Stop)
    jobs_->panel()->pressStop();
  else
    jobs_->panel()->pressSkip();
  ASSERT_TRUE(waitForJob());
  // Not a speed figure: tells a cancelled page from one that waits for its time-outs.
  EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(2));
  ASSERT_TRUE(observed_);
  EXPECT_TRUE(waitUntil([&] { return observed_->poolCounts().cancelled == 5u; }))
      << observed_->poolCounts().cancelled;
  EXPECT_EQ(list()->cellText(1, 1), kRowCanceled);
  EXPECT_EQ(list()->cellText(0, 11), "1"); // one web link, found
  if (GetParam() == Press::Stop)
    EXPECT_EQ(list()->cellText(2, 1), kRowCanceled);
  else
    EXPECT_EQ(list()->cellText(2, 11), "1");
}

INSTANTIATE_TEST_SUITE_P(StopAndSkip, HangingPageTest, ::testing::Values(Press::Stop, Press::Skip));
