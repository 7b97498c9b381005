// Hostile pages and targets through the passes: each gives a result, never a
// crash or a hang.
#include "pipeline_support.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"

#include "engine/analysis_pass.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace linkmoor;
using linkmoor::test::HttpTestServer;
using linkmoor::test::RecordingChecker;
using linkmoor::test::RecordingJob;
using linkmoor::test::TempDir;

namespace {

std::string anchor(const std::string &value) { return "<a href=\"" + value + "\">x</a>\n"; }

class BadInput : public test::CurrentProjectsTest {
protected:
  void SetUp() override {
    CurrentProjectsTest::SetUp();
    CurrentLocalProject.rootPath = dir.path();
    CurrentRemoteProject.projectName = "site";
    CurrentRemoteProject.downloadPath = dir.path();
    CurrentRemoteProject.addProjectNameToDownload = 1;
    CurrentRemoteProject.subdomainPath = "/";
    CurrentRemoteProject.subdomainName = "127.0.0.1:" + std::to_string(server.port());
  }

  // General pass over `page` written to `relative` in the project folder; the
  // statuses of the page's links.
  std::vector<int> statuses(const std::string &relative, const std::string &page, bool remote,
                            FileSummary &summary) {
    dir.write(remote ? "site/" + relative : relative, page);
    PassContext context(remote, job, checker);
    EXPECT_EQ(findGeneralInfo(scanner, relative, summary, context), 1);
    std::vector<int> result;
    for (const auto &link : scanner.links)
      result.push_back(static_cast<int>(link->status));
    return result;
  }

  HttpTestServer server;
  TempDir dir;
  HtmlScanner scanner;
  RecordingJob job;
  RecordingChecker checker{&job};
};

} // namespace

TEST_F(BadInput, HundredThousandLinksOnOnePage) {
  dir.write("t.htm", "x");
  std::string page;
  for (int i = 0; i < 100000; ++i)
    page += i % 2 ? "<a href=\"t.htm\">" : "<a href=\"u.htm\">";
  FileSummary summary;
  statuses("many.htm", page, false, summary);
  EXPECT_EQ(summary.localLinks, 100000);
  EXPECT_EQ(summary.localLinksMissing, 50000);

  ErrorList errors;
  ByteBuffer text;
  PassContext context(false, job, checker);
  ASSERT_EQ(findDescription(scanner, "many.htm", errors, text, context), 1);
  EXPECT_EQ(errors.count(), 50000);
  EXPECT_EQ(errors.at(49999)->excerpt, "u.htm");
}

TEST_F(BadInput, HundredThousandRemoteLinksWithStopPressed) {
  std::string page;
  for (int i = 0; i < 100000; ++i)
    page += "<a href=\"" + server.url("/ok") + "\">";
  job.stop = true;
  FileSummary summary;
  statuses("many.htm", page, true, summary);
  EXPECT_EQ(summary.siteLinks, 100000);
  EXPECT_EQ(summary.siteLinksMissing, 0);
  EXPECT_EQ(server.requestCount("/ok"), 0);
}

TEST_F(BadInput, MegabyteLinkValues) {
  const std::string huge(1 << 20, 'a');
  dir.write("t.htm", "x");
  FileSummary summary;
  auto local =
      statuses("big.htm",
               anchor(huge) + anchor(std::string(1 << 20, '/')) + anchor([] {
                 std::string steps;
                 for (int i = 0; i < 350000; ++i)
                   steps += "../";
                 return steps + "t.htm";
               }()) +
                   anchor(std::string(200000, '&') + "#45;") + anchor(server.url("/") + huge),
               false, summary);
  ASSERT_EQ(local.size(), 5u);
  EXPECT_EQ(local[0], 15);
  EXPECT_EQ(local[1], 0); // the root folder itself
  EXPECT_EQ(local[2], 0); // the steps end in the root
  EXPECT_EQ(local[3], 15);
  // The server drops the connection while so long a request is still being sent.
  EXPECT_TRUE(local[4] == 5 || local[4] == 10) << local[4];

  auto remote = statuses("big.htm", anchor(huge), true, summary);
  ASSERT_EQ(remote.size(), 1u);
  EXPECT_TRUE(remote[0] == 5 || remote[0] == 10) << remote[0];
}

TEST_F(BadInput, BlanksControlBytesAndBytesAbove127OnDisk) {
  dir.write("my page.htm", "x");
  dir.write("caf\xE9.htm", "x");
  dir.write("a\x01"
            "b.htm",
            "x");
  dir.write("t.htm", "x");
  FileSummary summary;
  const auto result =
      statuses("odd.htm",
               anchor("my page.htm") + anchor("caf\xE9.htm") +
                   anchor("a\x01"
                          "b.htm") +
                   anchor("  t.htm \t") + anchor("no\x7F\xFF.htm") + anchor("my%20page.htm#x"),
               false, summary);
  EXPECT_EQ(result, (std::vector<int>{0, 0, 0, 0, 15, 0}));
}

TEST_F(BadInput, BlanksControlBytesAndBytesAbove127OverHttp) {
  for (const char *path : {"/caf\xE9 x.htm", "/my page.htm"})
    server.addRoute(path, [](const httplib::Request &, httplib::Response &r) { r.status = 200; });
  FileSummary summary;
  const auto result = statuses("odd.htm",
                               anchor("caf\xE9 x.htm") +
                                   anchor("a\x01\x1F"
                                          "b") +
                                   "<a href=\"" + server.url("/my page.htm") + "\">x</a>",
                               true, summary);
  ASSERT_EQ(result.size(), 3u);
  EXPECT_EQ(result[0], 0);
  EXPECT_EQ(result[1], 10);
  EXPECT_EQ(result[2], 0);
}

TEST_F(BadInput, FifoAndDeviceTargetsDoNotBlock) {
  ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
  FileSummary summary;
  const auto result = statuses("dev.htm",
                               anchor("pipe") + anchor("file:///dev/null") +
                                   anchor("file:///dev/zero") + anchor("file:///dev/nonexistent"),
                               false, summary);
  EXPECT_EQ(result, (std::vector<int>{0, 0, 0, 15}));
}

TEST_F(BadInput, DeviceFilesAsPagesCannotBeOpened) {
  CurrentLocalProject.rootPath = "/dev";
  for (const char *name : {"zero", "null"}) {
    FileSummary summary;
    PassContext context(false, job, checker);
    EXPECT_EQ(findGeneralInfo(scanner, name, summary, context), 0);
    EXPECT_EQ(summary.sizeText, "open");
  }
}
