// linkmoor-check end to end: real pages in a temporary folder, a real web server
// on 127.0.0.1, the reports parsed back.

#include "cli/check_run.h"
#include "platform/http_check.h"
#include "storage/current_projects.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace linkmoor::cli;
using linkmoor::test::HttpTestServer;
using linkmoor::test::TempDir;

namespace {

struct RunOutput {
  int status = -1;
  std::string out, err;
  std::vector<nlohmann::json> lines() const {
    std::vector<nlohmann::json> result;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
      result.push_back(nlohmann::json::parse(line));
    return result;
  }
};

class CheckRun : public ::testing::Test {
protected:
  void TearDown() override {
    linkmoor::CurrentLocalProject = linkmoor::LocalProject();
    linkmoor::CurrentRemoteProject = linkmoor::RemoteProject();
  }
  RunOutput run(std::vector<std::string> args) {
    ParseResult parsed = parseCheckOptions(args);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    std::ostringstream out, err;
    RunOutput r;
    linkmoor::ParallelCheckSettings settings = networkSettings(parsed.options);
    settings.http.connectTimeoutSeconds = settings.http.stallTimeoutSeconds = 10;
    r.status = runCheck(parsed.options, out, err, nullptr, settings);
    r.out = out.str();
    r.err = err.str();
    return r;
  }
  std::string page(const std::string &body) {
    return "<html><body>\n" + body + "\n</body></html>\n";
  }
  TempDir site;
};

} // namespace

TEST_F(CheckRun, CleanSiteExitsZeroAndTextEndsWithTotals) {
  site.write("index.htm", page("<a href=\"sub/a.htm\">a</a>"));
  site.write("sub/a.htm", page("<a href=\"../index.htm\">home</a>"));
  RunOutput r = run({site.path()});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.rfind("sub/a.htm\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nindex.htm\n"), std::string::npos);
  EXPECT_NE(r.out.find("2 files, 0 syntax errors, 0 broken links\n"), std::string::npos);
}

TEST_F(CheckRun, JsonRowsForSyntaxErrorsAndBrokenLinks) {
  site.write("bad.htm", "<html>\n<p>a < b</p>\n</html>\n");
  site.write("links.htm", page("<a href=\"gone.htm\">x</a>\n<img src=\"links.htm\">"));
  RunOutput r = run({"--json", site.path()});
  EXPECT_EQ(r.status, 1);
  auto lines = r.lines();
  ASSERT_EQ(lines.size(), 2u) << r.out;
  EXPECT_EQ(lines[0]["file"], "bad.htm");
  EXPECT_EQ(lines[0]["tagErrors"], 1);
  EXPECT_EQ(lines[0]["localLinks"], 0);
  ASSERT_EQ(lines[0]["rows"].size(), 1u);
  EXPECT_EQ(lines[0]["rows"][0]["line"], 2);
  EXPECT_EQ(lines[0]["rows"][0]["type"], "normal TAG");
  EXPECT_EQ(lines[0]["rows"][0]["error"], "blank character after <");
  EXPECT_EQ(lines[1]["localLinks"], 2);
  EXPECT_EQ(lines[1]["localLinksMissing"], 1);
  ASSERT_EQ(lines[1]["rows"].size(), 1u);
  EXPECT_EQ(lines[1]["rows"][0]["excerpt"], "gone.htm");
  EXPECT_EQ(lines[1]["rows"][0]["target"], site.path() + "/gone.htm");
  EXPECT_EQ(lines[1]["rows"][0]["error"], "disk file does't exist");
}

TEST_F(CheckRun, OnlyTheFilesGivenInTheOrderGiven) {
  site.write("a.htm", page(""));
  site.write("b.htm", page(""));
  site.write("notes.txt", "not a page");
  RunOutput r = run({"--json", site.path(), "b.htm", "notes.txt", "missing.htm"});
  auto lines = r.lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]["file"], "b.htm");
  EXPECT_EQ(lines[1]["file"], "notes.txt");
  EXPECT_EQ(lines[2]["sizeText"], "open");
  EXPECT_EQ(r.status, 1) << "a file that cannot be read is a problem found";
}

TEST_F(CheckRun, EmptyAndBinaryPagesShowTheirStatusWord) {
  site.write("empty.htm", "");
  site.write("data.htm", std::string("<p>\0</p>", 8));
  RunOutput r = run({site.path()});
  EXPECT_NE(r.out.find("data.htm\n    binary ("), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("empty.htm\n    empty ("), std::string::npos);
  EXPECT_EQ(r.status, 0);
}

TEST_F(CheckRun, UnreadablePageAndMissingRoot) {
  site.write("locked.htm", page(""));
  chmod(site.file("locked.htm").c_str(), 0);
  if (geteuid() != 0) {
    RunOutput r = run({site.path()});
    EXPECT_NE(r.out.find("locked.htm\n    open ("), std::string::npos) << r.out;
    EXPECT_EQ(r.status, 1);
  }
  RunOutput missing = run({site.file("nowhere")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("does not exist"), std::string::npos);
  RunOutput file = run({site.file("locked.htm")});
  EXPECT_EQ(file.status, 2);
  EXPECT_NE(file.err.find("is not a folder"), std::string::npos);
  EXPECT_TRUE(missing.out.empty());
}

TEST_F(CheckRun, NoInternetCountsAbsoluteLinksAsNotChecked) {
  HttpTestServer server;
  site.write("p.htm", page("<a href=\"" + server.url("/missing") + "\">x</a>"));
  RunOutput r = run({"--json", "--no-internet", site.path()});
  auto lines = r.lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["notChecked"], 1);
  EXPECT_EQ(lines[0]["remoteLinksMissing"], 0);
  EXPECT_EQ(server.requestCount("/missing"), 0);
  EXPECT_EQ(r.status, 0);
}

TEST_F(CheckRun, AUrlLinkedFromTenPagesIsRequestedOnce) {
  HttpTestServer server;
  for (int i = 0; i < 10; ++i)
    site.write("p" + std::to_string(i) + ".htm",
               page("<a href=\"" + server.url("/ok") + "\">ok</a> <a href=\"" +
                    server.url("/missing") + "\">gone</a>"));
  RunOutput r = run({"--json", site.path()});
  EXPECT_EQ(server.requestCount("/ok"), 1);
  EXPECT_EQ(server.requestCount("/missing"), 1);
  auto lines = r.lines();
  ASSERT_EQ(lines.size(), 10u);
  for (const auto &line : lines) {
    EXPECT_EQ(line["remoteLinks"], 2);
    EXPECT_EQ(line["remoteLinksMissing"], 1);
    ASSERT_EQ(line["rows"].size(), 1u);
    EXPECT_EQ(line["rows"][0]["error"], "web file does't exist - site is ok");
  }
  EXPECT_EQ(r.status, 1);
}

TEST_F(CheckRun, ParallelResultsEqualSequentialOnes) {
  HttpTestServer server;
  const char *paths[] = {"/ok", "/missing", "/error", "/moved", "/loop", "/delay/30"};
  for (int i = 0; i < 12; ++i) {
    std::string body;
    for (int j = 0; j < 6; ++j)
      body += "<a href=\"" + server.url(paths[(i + j) % 6]) + "?p=" + std::to_string(i % 4) +
              "\">l</a>\n";
    body += "<a href=\"http://nothing.invalid/\">dns</a>\n";
    site.write("page" + std::to_string(i) + ".htm", page(body));
  }
  RunOutput one = run({"--json", "--jobs", "1", site.path()});
  RunOutput many = run({"--json", "--jobs", "8", site.path()});
  EXPECT_EQ(one.out, many.out);
  EXPECT_EQ(one.status, many.status);
  EXPECT_NE(one.out.find("web site doesn't exist"), std::string::npos);
}

TEST_F(CheckRun, RemoteSiteChecksRelativeLinksOnTheServer) {
  HttpTestServer server;
  server.addRoute("/sub/here.htm", [](const httplib::Request &, httplib::Response &res) {
    res.set_content("<html></html>", "text/html");
  });
  std::string host = "127.0.0.1:" + std::to_string(server.port());
  site.write("www/sub/p.htm",
             page("<a href=\"here.htm\">h</a>\n<a href=\"gone.htm\">g</a>\n<a href=\"http://" +
                  host + "/sub/here.htm\">self</a>"));
  RunOutput r = run(
      {"--json", "--remote-site", host, "--subdomain-path", "/www/", site.path(), "www/sub/p.htm"});
  auto lines = r.lines();
  ASSERT_EQ(lines.size(), 1u) << r.out << r.err;
  EXPECT_EQ(lines[0]["localLinks"], 2);
  EXPECT_EQ(lines[0]["localLinksMissing"], 1);
  EXPECT_EQ(lines[0]["siteLinks"], 1);
  EXPECT_EQ(lines[0]["siteLinksMissing"], 0);
  ASSERT_EQ(lines[0]["rows"].size(), 1u);
  EXPECT_EQ(lines[0]["rows"][0]["target"], "http://" + host + "/sub/gone.htm");
  EXPECT_EQ(server.requestCount("/sub/here.htm"), 1);
}

TEST_F(CheckRun, SixteenJobsKeepSixteenRequestsInFlight) {
  HttpTestServer server;
  constexpr int kLinks = 200;
  constexpr int kCrowd = 12;
  std::mutex mutex;
  std::condition_variable changed;
  int inFlight = 0, arrived = 0, most = 0, crowded = 0;
  bool gaveUp = false;
  // Each request waits until kCrowd requests are held at once (or the last ones have
  // come), then is held a little longer so that those arriving next find the crowd.
  // What is counted is how many requests met a crowd, not how long anything took: a
  // run that asks one at a time meets none (a request gives up after a generous wait,
  // and then no later request waits).
  server.addRoute("/slow", [&](const httplib::Request &, httplib::Response &response) {
    std::unique_lock lock(mutex);
    ++arrived;
    most = std::max(most, ++inFlight);
    changed.notify_all();
    const bool met = changed.wait_for(lock, std::chrono::seconds(5), [&] {
      return gaveUp || inFlight >= kCrowd || arrived > kLinks - kCrowd;
    });
    if (inFlight >= kCrowd) ++crowded;
    if (!met) gaveUp = true;
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    lock.lock();
    --inFlight;
    lock.unlock();
    response.set_header("Connection", "close");
    response.set_content("ok", "text/plain");
  });
  // One link per page: only reading the pages ahead of the report keeps 16 busy.
  for (int i = 0; i < kLinks; ++i)
    site.write("p" + std::to_string(1000 + i) + ".htm",
               page("<a href=\"" + server.url("/slow?n=" + std::to_string(i)) + "\">s</a>"));
  RunOutput r = run({"--json", "--jobs", "16", site.path()});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(server.requestCount("/slow"), kLinks);
  std::lock_guard lock(mutex);
  EXPECT_FALSE(gaveUp);
  EXPECT_GE(crowded, kLinks * 3 / 4) << "most at once: " << most;
  EXPECT_LE(most, 16);
}

TEST_F(CheckRun, AnUnknownHostIsLookedUpOncePerRun) {
  for (int i = 0; i < 10; ++i)
    site.write("p" + std::to_string(i) + ".htm",
               page("<a href=\"http://linkmoor-run.invalid/" + std::to_string(i) +
                    ".htm\">x</a> <a href=\"http://linkmoor-run.invalid/same.htm\">y</a>"));
  ParseResult parsed = parseCheckOptions({"--json", site.path()});
  ASSERT_TRUE(parsed.ok);
  std::atomic<int> lookups{0};
  linkmoor::ParallelCheckSettings settings = networkSettings(parsed.options);
  settings.onLookup = [&](const std::string &) { ++lookups; };
  std::ostringstream out, err;
  EXPECT_EQ(runCheck(parsed.options, out, err, nullptr, settings), 1);
  EXPECT_EQ(lookups.load(), 1);
  const std::string text = out.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
  std::size_t rows = 0;
  for (std::size_t at = 0; (at = text.find("web site doesn't exist", at)) != std::string::npos;
       ++at)
    ++rows;
  EXPECT_EQ(rows, 20u);
}
