// The general and description passes on real files of a local project, and on a
// remote project whose links are checked against a web server on 127.0.0.1.
#include "pipeline_support.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"

#include "engine/analysis_pass.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

using namespace linkmoor;
using linkmoor::test::HttpTestServer;
using linkmoor::test::RecordingChecker;
using linkmoor::test::RecordingJob;
using linkmoor::test::TempDir;

namespace {

const std::string cleanPage = "<html>\n<body>\n"
                              "<a href=\"here.htm\">here</a>\n"
                              "<img src=\"pic.png\">\n"
                              "<a href=\"gone.htm#top\">gone</a>\n"
                              "</body>\n</html>\n";

class LocalPass : public test::CurrentProjectsTest {
protected:
  void SetUp() override {
    CurrentProjectsTest::SetUp();
    CurrentLocalProject.rootPath = dir.path();
    dir.write("here.htm", "x");
    dir.write("pic.png", "x");
  }

  int general(const std::string &relative, FileSummary &summary) {
    return findGeneralInfo(scanner, relative, summary, context);
  }
  int description(const std::string &relative, ErrorList &errors, ByteBuffer &text) {
    return findDescription(scanner, relative, errors, text, context);
  }

  TempDir dir;
  HtmlScanner scanner;
  RecordingJob job;
  RecordingChecker checker{&job};
  PassContext context{false, job, checker};
};

} // namespace

TEST_F(LocalPass, GeneralPassCountsTagsAndLinks) {
  dir.write("page.htm", cleanPage);
  FileSummary summary;
  ASSERT_EQ(general("page.htm", summary), 1);
  EXPECT_EQ(summary.sizeText, std::to_string(cleanPage.size()));
  EXPECT_EQ(summary.size, static_cast<int>(cleanPage.size()));
  EXPECT_EQ(summary.tags, 9);
  EXPECT_EQ(summary.tagErrors, 0);
  EXPECT_EQ(summary.localLinks, 3);
  EXPECT_EQ(summary.localLinksMissing, 1);
  EXPECT_EQ(summary.errorTotal(), 1);
  // The scanner keeps the page's links with their targets as built.
  ASSERT_EQ(scanner.links.count(), 3);
  EXPECT_EQ(scanner.links.at(2)->target, dir.file("gone.htm#top"));
  EXPECT_EQ(scanner.folder, dir.path());
  EXPECT_EQ(checker.diskAsked.back(), dir.file("gone.htm"));

  const auto texts = job.recorded();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].action, "Finding genetal file information");
  EXPECT_EQ(texts[0].item, "page.htm");
  EXPECT_FALSE(texts[0].cutQuery);
}

TEST_F(LocalPass, MissingFileFolderAndFifoCannotBeOpened) {
  ASSERT_EQ(mkfifo(dir.file("pipe.htm").c_str(), 0600), 0);
  std::filesystem::create_directory(dir.file("folder.htm"));
  for (const char *name : {"nothere.htm", "folder.htm", "pipe.htm"}) {
    FileSummary summary;
    summary.tags = 5;
    EXPECT_EQ(general(name, summary), 0) << name;
    EXPECT_EQ(summary.sizeText, "open") << name;
    EXPECT_EQ(summary.tags, 0) << "counts are zeroed first";
    ErrorList errors;
    ByteBuffer text;
    EXPECT_EQ(description(name, errors, text), 0) << name;
  }
}

TEST_F(LocalPass, EmptyFile) {
  dir.write("empty.htm", "");
  FileSummary summary;
  EXPECT_EQ(general("empty.htm", summary), 0);
  EXPECT_EQ(summary.sizeText, "empty");
  EXPECT_EQ(summary.size, 0);

  // The description pass reads it as a text without rows, and the editor's buffer
  // no longer holds the text of the file shown before.
  ErrorList errors;
  ByteBuffer text;
  dir.write("before.htm", "<p>before</p>");
  ASSERT_EQ(description("before.htm", errors, text), 1);
  EXPECT_EQ(description("empty.htm", errors, text), 1);
  EXPECT_EQ(errors.count(), 0);
  ASSERT_GE(text.size(), 1);
  EXPECT_EQ(text.data()[0], '\0');
}

TEST_F(LocalPass, ZeroByteMakesTheFileBinary) {
  dir.write("bin.htm", std::string("<p>a\0b</p>", 10));
  FileSummary summary;
  EXPECT_EQ(general("bin.htm", summary), 0);
  EXPECT_EQ(summary.sizeText, "binary");
  ErrorList errors;
  ByteBuffer text;
  EXPECT_EQ(description("bin.htm", errors, text), 0);
  EXPECT_EQ(errors.count(), 0);
}

TEST_F(LocalPass, FilesTooLargeForTheOffsetsCannotBeRead) {
  // Sparse files: no disk space is used. Cutting the size to 32 bits would make
  // the first "empty" and the second a 5-byte page.
  for (std::uintmax_t size :
       {std::uintmax_t(1) << 32, (std::uintmax_t(1) << 32) + 5, std::uintmax_t(1) << 31}) {
    dir.write("huge.htm", "<p>");
    std::filesystem::resize_file(dir.file("huge.htm"), size);
    FileSummary summary;
    EXPECT_EQ(general("huge.htm", summary), 0) << size;
    EXPECT_EQ(summary.sizeText, "read") << size;
    ErrorList errors;
    ByteBuffer text;
    EXPECT_EQ(description("huge.htm", errors, text), 0) << size;
  }
}

TEST_F(LocalPass, SyntaxErrorMeansNoLinksAtAll) {
  const std::string page = "<html>\n<a href=\"gone.htm\">x</a>\n< p>bad</p>\n</html>\n";
  dir.write("bad.htm", page);
  FileSummary summary;
  ASSERT_EQ(general("bad.htm", summary), 1);
  EXPECT_EQ(summary.tagErrors, 1);
  EXPECT_EQ(summary.localLinks + summary.siteLinks + summary.remoteLinks, 0);
  EXPECT_EQ(summary.localLinksMissing, 0);
  EXPECT_TRUE(checker.diskAsked.empty());
  EXPECT_EQ(scanner.links.count(), 0);

  ErrorList errors;
  ByteBuffer text;
  ASSERT_EQ(description("bad.htm", errors, text), 1);
  EXPECT_EQ(errors.linkRows, 0);
  ASSERT_EQ(errors.count(), 1);
  EXPECT_EQ(errors.at(0)->line, 2);
  EXPECT_EQ(errors.at(0)->code, 5);
  EXPECT_TRUE(checker.diskAsked.empty());
  // The loaded text is the file as it is, whatever the passes did to their copy.
  EXPECT_EQ(std::string(text.data(), static_cast<std::size_t>(text.size() - 1)), page);
}

TEST_F(LocalPass, AllLinksFoundGiveAnEmptyListOfLinkRows) {
  dir.write("good.htm", "<A HREF=\"Here.htm\">x</A><img src='pic.png'>");
  dir.write("Here.htm", "x");
  FileSummary summary;
  ASSERT_EQ(general("good.htm", summary), 1);
  EXPECT_EQ(summary.localLinks, 2);
  EXPECT_EQ(summary.localLinksMissing, 0);
  ErrorList errors;
  ByteBuffer text;
  ASSERT_EQ(description("good.htm", errors, text), 1);
  EXPECT_EQ(errors.linkRows, 1);
  EXPECT_EQ(errors.count(), 0);
  EXPECT_EQ(job.recorded().back().action, "Finding file description");
}

TEST_F(LocalPass, LinkRowsCarryLineValueAndTarget) {
  dir.write("sub/p.htm", "<html>\n<!-- a\ncomment -->\n<a href=\"../here.htm\">ok</a>\n"
                         "<a href=\"../gone.htm?x=1\">gone</a>\n<script>\n// x\n</script>\n"
                         "<a href=\"file:///nonexistent/linkmoor.htm\">f</a>\n</html>\n");
  ErrorList errors;
  ByteBuffer text;
  ASSERT_EQ(description("sub/p.htm", errors, text), 1);
  EXPECT_EQ(errors.linkRows, 1);
  ASSERT_EQ(errors.count(), 2);
  EXPECT_EQ(errors.at(0)->line, 4);
  EXPECT_EQ(errors.at(0)->excerpt, "../gone.htm?x=1");
  EXPECT_EQ(errors.at(0)->target, dir.file("gone.htm?x=1"));
  EXPECT_EQ(errors.at(0)->code, 15);
  EXPECT_EQ(errors.at(1)->line, 8);
  EXPECT_EQ(errors.at(1)->type, 1);
  EXPECT_EQ(errors.at(1)->target, "file:///nonexistent/linkmoor.htm");
}

TEST_F(LocalPass, ScannerReusedForAnotherPageHoldsOnlyThatPage) {
  dir.write("a.htm", cleanPage);
  FileSummary first;
  ASSERT_EQ(general("a.htm", first), 1);
  ASSERT_EQ(scanner.links.count(), 3);
  FileSummary second;
  EXPECT_EQ(general("nothere.htm", second), 0);
  EXPECT_EQ(scanner.links.count(), 0);
  EXPECT_EQ(scanner.count(), 0);
  dir.write("b.htm", "<a href=\"here.htm\">x</a>");
  FileSummary third;
  ASSERT_EQ(general("b.htm", third), 1);
  EXPECT_EQ(third.tags, 2);
  EXPECT_EQ(third.localLinks, 1);
}

TEST_F(LocalPass, StopAndSkipDuringTheChecksKeepPartialCounts) {
  HttpTestServer server;
  std::string page;
  for (int i = 0; i < 4; ++i)
    page += "<a href=\"" + server.url("/missing") + "\">x</a>\n";
  dir.write("remote.htm", page);

  FileSummary summary;
  job.skipAtPoll = 3; // before the third link
  ASSERT_EQ(general("remote.htm", summary), 1);
  EXPECT_EQ(context.skip, 1);
  EXPECT_EQ(context.stop, 0);
  EXPECT_EQ(summary.remoteLinks, 4);
  EXPECT_EQ(summary.remoteLinksMissing, 2);
  EXPECT_EQ(server.requestCount("/missing"), 2);

  RecordingJob stopped;
  stopped.stop = true;
  PassContext stoppedContext(false, stopped, checker);
  FileSummary none;
  ASSERT_EQ(findGeneralInfo(scanner, "remote.htm", none, stoppedContext), 1);
  EXPECT_EQ(stoppedContext.stop, 1);
  EXPECT_EQ(none.remoteLinks, 4);
  EXPECT_EQ(none.remoteLinksMissing, 0);
  EXPECT_EQ(server.requestCount("/missing"), 2);
}

TEST_F(LocalPass, AnalyzeOnATextInMemoryStopsAtItsZeroByte) {
  static const char bytes[] = "<a href=\"here.htm\">x</a>\0<a href=\"gone.htm\">";
  const std::string text(bytes, sizeof bytes - 1);
  FileSummary summary;
  ASSERT_TRUE(analyzeForSummary(scanner, dir.path(), "p.htm", text.data(),
                                text.data() + text.size(), summary, context));
  EXPECT_EQ(summary.tags, 2);
  EXPECT_EQ(summary.localLinks, 1);
  EXPECT_EQ(summary.localLinksMissing, 0);
}

TEST(FilePath, SplitsAtTheLastSlash) {
  std::string folder, name;
  splitFilePath("/a/b/c.htm", folder, name);
  EXPECT_EQ(folder, "/a/b");
  EXPECT_EQ(name, "c.htm");
  splitFilePath("c.htm", folder, name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "c.htm");
  splitFilePath("/c.htm", folder, name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "c.htm");
}

class RemotePass : public test::CurrentProjectsTest {
protected:
  void SetUp() override {
    CurrentProjectsTest::SetUp();
    CurrentRemoteProject.projectName = "site";
    CurrentRemoteProject.downloadPath = dir.path();
    CurrentRemoteProject.addProjectNameToDownload = 1;
    CurrentRemoteProject.subdomainPath = "/www/";
    CurrentRemoteProject.subdomainName = "127.0.0.1:" + std::to_string(server.port());
    // The page lives in the download folder; none of its targets do.
    dir.write("site/www/sub/p.htm",
              "<html>\n<a href=\"x.htm\">x</a>\n<a href=\"../ok\">ok</a>\n"
              "<a href=\"gone.htm\">gone</a>\n"
              "<a href=\"" +
                  server.url("/missing") +
                  "\">site</a>\n"
                  "<a href=\"http://linkmoor.remote.invalid/\">other</a>\n</html>\n");
    server.addRoute("/sub/x.htm",
                    [](const httplib::Request &, httplib::Response &r) { r.status = 200; });
  }

  HttpTestServer server;
  TempDir dir;
  HtmlScanner scanner;
  RecordingJob job;
  RecordingChecker checker{&job};
  PassContext context{true, job, checker};
};

TEST_F(RemotePass, LinksAreCheckedAgainstTheLiveSite) {
  FileSummary summary;
  ASSERT_EQ(findGeneralInfo(scanner, "www/sub/p.htm", summary, context), 1);
  ASSERT_EQ(scanner.links.count(), 5);
  const std::string site = "http://127.0.0.1:" + std::to_string(server.port());
  EXPECT_EQ(scanner.links.at(0)->target, site + "/sub/x.htm");
  EXPECT_EQ(scanner.links.at(1)->target, site + "/ok");
  EXPECT_EQ(scanner.links.at(2)->target, site + "/sub/gone.htm");
  EXPECT_EQ(scanner.links.at(3)->type, LinkType::Site);
  EXPECT_EQ(scanner.links.at(4)->type, LinkType::Remote);
  EXPECT_EQ(summary.localLinks, 3);
  EXPECT_EQ(summary.localLinksMissing, 1);
  EXPECT_EQ(summary.siteLinks, 1);
  EXPECT_EQ(summary.siteLinksMissing, 1);
  EXPECT_EQ(summary.remoteLinks, 1);
  EXPECT_EQ(summary.remoteLinksMissing, 1);
  EXPECT_TRUE(checker.diskAsked.empty());
  EXPECT_EQ(server.requestCount("/sub/x.htm"), 1);
  EXPECT_EQ(server.requestCount("/ok"), 1);

  ErrorList errors;
  ByteBuffer text;
  ASSERT_EQ(findDescription(scanner, "www/sub/p.htm", errors, text, context), 1);
  ASSERT_EQ(errors.count(), 3);
  EXPECT_EQ(errors.at(0)->excerpt, "gone.htm");
  EXPECT_EQ(errors.at(0)->code, 10);
  EXPECT_EQ(errors.at(1)->code, 10);
  EXPECT_EQ(errors.at(2)->code, 5);
  EXPECT_EQ(errors.at(2)->line, 5);
}

TEST_F(RemotePass, WithoutTheProjectNameFolder) {
  CurrentRemoteProject.addProjectNameToDownload = 0;
  CurrentRemoteProject.downloadPath = dir.file("site");
  FileSummary summary;
  ASSERT_EQ(findGeneralInfo(scanner, "www/sub/p.htm", summary, context), 1);
  EXPECT_EQ(summary.localLinksMissing, 1);
  EXPECT_EQ(server.requestCount("/sub/x.htm"), 1);
}
