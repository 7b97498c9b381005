// Checking targets over HTTP against a web server on 127.0.0.1 and on disk, and
// the verification loop with its progress texts, Stop and Skip.
#include "pipeline_support.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"

#include "engine/link_verification.h"
#include "engine/parallel_link_checker.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

using namespace linkmoor;
using linkmoor::test::HttpTestServer;
using linkmoor::test::RecordingChecker;
using linkmoor::test::RecordingJob;
using linkmoor::test::TempDir;

namespace {

void addLink(LinkList &links, const std::string &target, LinkType type) {
  auto link = std::make_unique<LinkRecord>();
  link->valueStart = links.count();
  link->valueEnd = links.count();
  link->target = target;
  link->type = type;
  links.append(std::move(link));
}

int status(const LinkList &links, int i) { return static_cast<int>(links.at(i)->status); }

} // namespace

TEST(HttpTarget, OutcomesOfRealAnswers) {
  HttpTestServer server;
  NetworkLinkChecker checker;
  EXPECT_EQ(checkHttpTarget(server.url("/ok"), checker), LinkStatus::Found);
  EXPECT_EQ(checkHttpTarget(server.url("/missing"), checker), LinkStatus::NoWebFile);
  EXPECT_EQ(checkHttpTarget(server.url("/error"), checker), LinkStatus::NoWebFile);
  EXPECT_EQ(checkHttpTarget(server.url("/moved"), checker), LinkStatus::Found);
  EXPECT_EQ(checkHttpTarget(server.url("/loop"), checker), LinkStatus::NoWebFile);
  EXPECT_EQ(server.requestCount("/ok"), 2); // once directly, once after the redirect
}

TEST(HttpTarget, NoServerGivesNoWebSite) {
  NetworkLinkChecker checker;
  const std::string refused = "http://127.0.0.1:" + std::to_string(test::refusedPort()) + "/ok";
  EXPECT_EQ(checkHttpTarget(refused, checker), LinkStatus::NoWebSite);
  EXPECT_EQ(checkHttpTarget("http://linkmoor-pipeline.invalid/page.htm", checker),
            LinkStatus::NoWebSite);
}

TEST(HttpTarget, CharacterReferencesAreDecodedBeforeTheRequest) {
  HttpTestServer server;
  server.addRoute("/list", [](const httplib::Request &request, httplib::Response &response) {
    const bool both = request.get_param_value("a") == "1" && request.get_param_value("b") == "2";
    response.status = both ? 200 : 404;
  });
  server.addRoute("/tool--daemon.html", [](const httplib::Request &, httplib::Response &response) {
    response.status = 200;
  });
  RecordingChecker checker;
  EXPECT_EQ(checkHttpTarget(server.url("/list?a=1&amp;b=2"), checker), LinkStatus::Found);
  EXPECT_EQ(checkHttpTarget(server.url("/tool&#45;&#45;daemon.html"), checker), LinkStatus::Found);
  ASSERT_EQ(checker.httpAsked.size(), 2u);
  EXPECT_EQ(checker.httpAsked[0], server.url("/list?a=1&b=2"));
}

TEST(DiskTarget, TestsTheFileABrowserWouldOpen) {
  TempDir dir;
  dir.write("page.htm", "x");
  dir.write("list.htm", "x");
  dir.write("my page.htm", "x");
  dir.write("tool--daemon.html", "x");
  NetworkLinkChecker checker;
  EXPECT_EQ(checkDiskTarget(dir.file("page.htm#top"), checker), LinkStatus::Found);
  EXPECT_EQ(checkDiskTarget(dir.file("list.htm?x=1"), checker), LinkStatus::Found);
  EXPECT_EQ(checkDiskTarget(dir.file("my%20page.htm"), checker), LinkStatus::Found);
  EXPECT_EQ(checkDiskTarget(dir.file("tool&#45;&#45;daemon.html"), checker), LinkStatus::Found);
  EXPECT_EQ(checkDiskTarget("file://" + dir.file("my%20page.htm#x"), checker), LinkStatus::Found);
  EXPECT_EQ(checkDiskTarget("file://localhost" + dir.file("page.htm"), checker), LinkStatus::Found);
  EXPECT_EQ(checkDiskTarget(dir.path(), checker), LinkStatus::Found); // a folder opens too
  EXPECT_EQ(checkDiskTarget(dir.file("gone.htm#top"), checker), LinkStatus::NoDiskFile);
  EXPECT_EQ(checkDiskTarget(dir.file("my page.htm/x"), checker), LinkStatus::NoDiskFile);
}

TEST(DiskTarget, FileUrlOfAnotherHostIsNotAskedAtAll) {
  RecordingChecker checker;
  EXPECT_EQ(checkDiskTarget("file://fileserver/share/page.htm", checker), LinkStatus::NoDiskFile);
  EXPECT_TRUE(checker.diskAsked.empty());
}

TEST(DiskTarget, PathThatLooksLikeAUrlIsTakenAsAPath) {
  TempDir dir;
  dir.write("file:x.htm", "x");
  NetworkLinkChecker checker;
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  EXPECT_EQ(checker.checkDisk("file:x.htm"), LinkStatus::Found);
  EXPECT_EQ(checker.checkDisk("file:y.htm"), LinkStatus::NoDiskFile);
  ASSERT_EQ(chdir(here), 0);
}

TEST(DiskTarget, FifoAndDeviceGiveAResultWithoutBlocking) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
  NetworkLinkChecker checker;
  EXPECT_EQ(checkDiskTarget(dir.file("pipe"), checker), LinkStatus::Found);
  EXPECT_EQ(checkDiskTarget("file:///dev/null", checker), LinkStatus::Found);
}

TEST(VerifyLocal, DiskForLocalAndSiteLinksHttpForRemoteLinks) {
  HttpTestServer server;
  TempDir dir;
  dir.write("here.htm", "x");
  LinkList links;
  addLink(links, dir.file("here.htm"), LinkType::Local);
  addLink(links, dir.file("gone.htm"), LinkType::Local);
  addLink(links, "file://" + dir.file("here.htm"), LinkType::Site);
  addLink(links, server.url("/ok?q=1"), LinkType::Remote);
  addLink(links, server.url("/missing"), LinkType::Remote);
  addLink(links, server.url("/ok"), static_cast<LinkType>(7)); // not checked
  RecordingJob job;
  RecordingChecker checker(&job);
  PassContext context(false, job, checker);
  verifyLocal(links, context);

  EXPECT_EQ(status(links, 0), 0);
  EXPECT_EQ(status(links, 1), 15);
  EXPECT_EQ(status(links, 2), 0);
  EXPECT_EQ(status(links, 3), 0);
  EXPECT_EQ(status(links, 4), 10);
  EXPECT_EQ(status(links, 5), 0);
  EXPECT_EQ(context.stop, 0);
  EXPECT_EQ(context.skip, 0);
  EXPECT_EQ(checker.diskAsked.size(), 3u);
  EXPECT_EQ(checker.httpAsked.size(), 2u);
  // Progress only for the links requested over the network, with their index.
  const auto texts = job.recorded();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].action, "Requesting file from internet      3/6");
  EXPECT_EQ(texts[0].item, server.url("/ok?q=1"));
  EXPECT_TRUE(texts[0].cutQuery);
  EXPECT_EQ(texts[1].action, "Requesting file from internet      4/6");
}

TEST(VerifyLocal, LinksWithAStatusAreNotCheckedAgain) {
  HttpTestServer server;
  LinkList links;
  addLink(links, server.url("/ok"), LinkType::Remote);
  links.at(0)->status = LinkStatus::NoWebFile;
  RecordingJob job;
  RecordingChecker checker;
  PassContext context(false, job, checker);
  verifyLocal(links, context);
  EXPECT_EQ(status(links, 0), 10);
  EXPECT_TRUE(checker.httpAsked.empty());
  EXPECT_EQ(server.requestCount("/ok"), 0);
}

TEST(VerifyRemote, EveryLinkGoesOverHttpAndTheSameTargetTwice) {
  HttpTestServer server;
  LinkList links;
  addLink(links, server.url("/ok"), LinkType::Local);
  addLink(links, server.url("/ok"), LinkType::Site);
  addLink(links, server.url("/error"), LinkType::Remote);
  addLink(links, "file:///dev/null", LinkType::Site); // not a web address
  RecordingJob job;
  RecordingChecker checker;
  PassContext context(true, job, checker);
  verifyRemote(links, context);
  EXPECT_EQ(status(links, 0), 0);
  EXPECT_EQ(status(links, 1), 0);
  EXPECT_EQ(status(links, 2), 10);
  EXPECT_EQ(status(links, 3), 5);
  EXPECT_EQ(server.requestCount("/ok"), 2);
  EXPECT_TRUE(checker.diskAsked.empty());
  EXPECT_EQ(job.recorded().size(), 4u);
}

TEST(Verification, ProgressCountsFromZeroToCountMinusOne) {
  HttpTestServer server;
  LinkList links;
  for (int i = 0; i < 10; ++i)
    addLink(links, server.url("/ok"), LinkType::Remote);
  RecordingJob job;
  NetworkLinkChecker checker(&job);
  PassContext context(true, job, checker);
  verifyRemote(links, context);
  const auto texts = job.recorded();
  ASSERT_EQ(texts.size(), 10u);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(texts[static_cast<std::size_t>(i)].action,
              "Requesting file from internet      " + std::to_string(i) + "/10");
  EXPECT_EQ(requestingText(0, 0), "Requesting file from internet      0/0");
}

TEST(Verification, StopEndsTheLoopAtTheNextLink) {
  HttpTestServer server;
  LinkList links;
  for (int i = 0; i < 5; ++i)
    addLink(links, server.url("/missing"), LinkType::Remote);
  RecordingJob job;
  job.stopAfterPolls = 4;     // before link 0, after it, before link 1, after it
  NetworkLinkChecker checker; // its own polls would shift the count
  PassContext context(false, job, checker);
  verifyLocal(links, context);
  EXPECT_EQ(context.stop, 1);
  EXPECT_EQ(context.skip, 0);
  EXPECT_EQ(status(links, 0), 10);
  EXPECT_EQ(status(links, 1), 10);
  for (int i = 2; i < 5; ++i)
    EXPECT_EQ(status(links, i), 0) << i;
  EXPECT_EQ(server.requestCount("/missing"), 2);
}

TEST(Verification, SkipEndsTheLoopAndLeavesTheRestUnchecked) {
  TempDir dir;
  LinkList links;
  for (int i = 0; i < 4; ++i)
    addLink(links, dir.file("gone" + std::to_string(i)), LinkType::Local);
  RecordingJob job;
  job.skipAtPoll = 3;
  NetworkLinkChecker checker;
  PassContext context(false, job, checker);
  verifyLocal(links, context);
  EXPECT_EQ(context.skip, 1);
  EXPECT_EQ(context.stop, 0);
  EXPECT_EQ(status(links, 0), 15);
  EXPECT_EQ(status(links, 1), 15);
  EXPECT_EQ(status(links, 2), 0);
  EXPECT_EQ(status(links, 3), 0);
}

TEST(Verification, FlagsAreOnlyEverSet) {
  LinkList links;
  RecordingJob job;
  NetworkLinkChecker checker;
  PassContext context(false, job, checker);
  context.stop = 1;
  context.skip = 1;
  verifyLocal(links, context);
  EXPECT_EQ(context.stop, 1);
  EXPECT_EQ(context.skip, 1);
}

TEST(Verification, StopDuringAHangingRequestEndsItAndTheLoop) {
  HttpTestServer server;
  LinkList links;
  addLink(links, server.url("/hang"), LinkType::Remote);
  addLink(links, server.url("/ok"), LinkType::Remote);
  RecordingJob job;
  // Time-outs far longer than the test may take: only Stop can end the request.
  HttpCheckOptions options;
  options.connectTimeoutSeconds = 300;
  options.stallTimeoutSeconds = 300;
  NetworkLinkChecker checker(&job, options);
  std::thread presser([&] {
    server.waitForRequests("/hang", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    job.stop = true;
  });
  const auto started = std::chrono::steady_clock::now();
  PassContext context(true, job, checker);
  verifyRemote(links, context);
  const auto waited = std::chrono::steady_clock::now() - started;
  presser.join();

  EXPECT_EQ(context.stop, 1);
  EXPECT_EQ(status(links, 0), 0); // the cut request says nothing about the link
  EXPECT_EQ(status(links, 1), 0);
  EXPECT_EQ(server.requestCount("/ok"), 0);
  // Not a speed figure: only tells an ended request from one that ran to its time-out.
  EXPECT_LT(waited, std::chrono::seconds(120));
}

namespace {

/// The same links for the one-at-a-time and the parallel check.
void addMixedLinks(LinkList &links, HttpTestServer &server, TempDir &dir) {
  const std::string refused = "http://127.0.0.1:" + std::to_string(test::refusedPort()) + "/x";
  addLink(links, dir.file("here.htm"), LinkType::Local);
  addLink(links, dir.file("gone.htm"), LinkType::Local);
  addLink(links, "file://" + dir.file("here.htm"), LinkType::Site);
  for (const char *path : {"/ok", "/missing", "/error", "/moved", "/loop", "/delay/20", "/ok?a=1",
                           "/missing", "/ok#top", "/ok?a=1&amp;b=2"})
    addLink(links, server.url(path), LinkType::Remote);
  addLink(links, "http://linkmoor-verify.invalid/a.htm", LinkType::Remote);
  addLink(links, "http://linkmoor-verify.invalid/b.htm", LinkType::Remote);
  addLink(links, refused, LinkType::Remote);
  addLink(links, "ftp://127.0.0.1/x", LinkType::Remote);
  addLink(links, server.url("/ok"), static_cast<LinkType>(7));
  addLink(links, server.url("/missing"), LinkType::Remote);
  links.at(links.count() - 1)->status = LinkStatus::NoWebSite; // already judged
}

std::vector<int> statuses(const LinkList &links) {
  std::vector<int> result;
  for (int i = 0; i < links.count(); ++i)
    result.push_back(status(links, i));
  return result;
}

/// A route that answers 200 only once `release` is set.
void addHeldRoute(HttpTestServer &server, std::atomic<bool> &release) {
  server.addRoute("/held", [&release](const httplib::Request &, httplib::Response &response) {
    while (!release)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    response.set_content("ok", "text/plain");
  });
}

bool waitUntil(const std::function<bool()> &condition) {
  for (int i = 0; i < 2000 && !condition(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return condition();
}

} // namespace

TEST(ParallelVerification, ResultsEqualThoseOfTheOneAtATimeCheck) {
  HttpTestServer server;
  TempDir dir;
  dir.write("here.htm", "x");
  for (bool remote : {false, true}) {
    LinkList one, many;
    addMixedLinks(one, server, dir);
    addMixedLinks(many, server, dir);
    RecordingJob job;
    NetworkLinkChecker single;
    ParallelLinkChecker parallel;
    PassContext contextOne(remote, job, single);
    PassContext contextMany(remote, job, parallel);
    if (remote) {
      verifyRemote(one, contextOne);
      verifyRemote(many, contextMany);
    } else {
      verifyLocal(one, contextOne);
      verifyLocal(many, contextMany);
    }
    EXPECT_EQ(statuses(one), statuses(many)) << (remote ? "remote" : "local");
    EXPECT_EQ(contextMany.stop + contextMany.skip, 0);
  }
  // Per variant: twice one at a time, once by the parallel checker (the third link
  // to it was judged already).
  EXPECT_EQ(server.requestCount("/missing"), 2 * (2 + 1));
}

TEST(ParallelVerification, AnAddressIsAskedOncePerCheckerAndAgainByTheNext) {
  HttpTestServer server;
  RecordingJob job;
  for (int round = 1; round <= 2; ++round) {
    ParallelLinkChecker checker; // one job
    for (int page = 0; page < 10; ++page) {
      LinkList links;
      addLink(links, server.url("/ok"), LinkType::Remote);
      addLink(links, server.url("/missing"), LinkType::Remote);
      PassContext context(false, job, checker);
      verifyLocal(links, context);
      EXPECT_EQ(status(links, 0), 0);
      EXPECT_EQ(status(links, 1), 10);
    }
    EXPECT_EQ(server.requestCount("/ok"), round);
    EXPECT_EQ(server.requestCount("/missing"), round);
  }
}

TEST(ParallelVerification, AnUnknownHostIsLookedUpOncePerChecker) {
  std::atomic<int> lookups{0};
  ParallelCheckSettings settings;
  settings.onLookup = [&](const std::string &) { ++lookups; };
  RecordingJob job;
  for (int round = 1; round <= 2; ++round) {
    ParallelLinkChecker checker(settings);
    for (int page = 0; page < 5; ++page) {
      LinkList links;
      for (int i = 0; i < 4; ++i)
        addLink(links,
                "http://linkmoor-once.invalid/p" + std::to_string(page) + "/" + std::to_string(i),
                LinkType::Remote);
      PassContext context(false, job, checker);
      verifyLocal(links, context);
      for (int i = 0; i < 4; ++i)
        EXPECT_EQ(status(links, i), 5);
    }
    EXPECT_EQ(lookups.load(), round);
    EXPECT_EQ(checker.poolCounts().hostMemoHits, 19u);
  }
}

TEST(ParallelVerification, ProgressCountsTheFinishedChecksAndShowsTheTargetWaitedFor) {
  HttpTestServer server;
  std::atomic<bool> release{false};
  addHeldRoute(server, release);
  LinkList links;
  addLink(links, server.url("/held?x=1"), LinkType::Remote);
  for (int i = 0; i < 4; ++i)
    addLink(links, server.url("/ok?n=" + std::to_string(i)), LinkType::Remote);
  RecordingJob job;
  ParallelLinkChecker checker;
  std::thread releaser([&] {
    waitUntil([&] {
      for (const auto &text : job.recorded())
        if (text.action == "Requesting file from internet      4/5") return true;
      return false;
    });
    release = true;
  });
  PassContext context(true, job, checker);
  verifyRemote(links, context);
  releaser.join();
  const auto texts = job.recorded();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front().item, server.url("/held?x=1"));
  EXPECT_TRUE(texts.front().cutQuery);
  EXPECT_EQ(texts.back().action, "Requesting file from internet      4/5");
  EXPECT_EQ(texts.back().item, server.url("/held?x=1"));
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(status(links, i), 0);
}

namespace {

// Presses Stop or Skip once every hanging request has arrived; the loop must end soon
// after and cancel them all.
void pressDuringHangingPage(bool stop) {
  HttpTestServer server;
  LinkList links;
  for (int i = 0; i < 5; ++i)
    addLink(links, server.url("/hang?n=" + std::to_string(i)), LinkType::Remote);
  RecordingJob job;
  ParallelCheckSettings settings;
  settings.http.connectTimeoutSeconds = settings.http.stallTimeoutSeconds = 300;
  ParallelLinkChecker checker(settings);
  std::chrono::steady_clock::time_point pressed;
  std::thread presser([&] {
    server.waitForRequests("/hang", 5);
    pressed = std::chrono::steady_clock::now();
    (stop ? job.stop : job.skip) = true;
  });
  PassContext context(false, job, checker);
  verifyLocal(links, context);
  const auto ended = std::chrono::steady_clock::now();
  presser.join();
  EXPECT_EQ(context.stop, stop ? 1 : 0);
  EXPECT_EQ(context.skip, stop ? 0 : 1);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(status(links, i), 0) << i;
  // Not a speed figure: tells an ended wait from one that ran to the time-outs.
  EXPECT_LT(ended - pressed, std::chrono::seconds(2));
  EXPECT_TRUE(waitUntil([&] { return checker.poolCounts().cancelled == 5u; }))
      << checker.poolCounts().cancelled;
}

} // namespace

TEST(ParallelVerification, StopDuringAHangingPageEndsItAndCancelsItsChecks) {
  pressDuringHangingPage(true);
}

TEST(ParallelVerification, SkipDuringAHangingPageEndsItAndCancelsItsChecks) {
  pressDuringHangingPage(false);
}
