// linkmoor-check within bounded memory: rows go out while a page is analysed, a page
// that exhausts the memory is reported "read" while the run goes on, the memory gate
// counts a page's records, and a page without web links is analysed once.
#include "cli/check_run.h"
#include "cli/memory_gate.h"
#include "storage/current_projects.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace linkmoor::cli;
using linkmoor::test::TempDir;

namespace {

// Counts the pieces written to it and keeps their bytes.
class CountingBuffer : public std::streambuf {
public:
  int writes = 0;
  std::string text;

protected:
  std::streamsize xsputn(const char *bytes, std::streamsize count) override {
    ++writes;
    text.append(bytes, static_cast<std::size_t>(count));
    return count;
  }
  int overflow(int c) override {
    if (c != traits_type::eof()) {
      ++writes;
      text.push_back(static_cast<char>(c));
    }
    return c;
  }
};

std::string brokenLinks(int count) {
  std::string page;
  page.reserve(static_cast<std::size_t>(count) * 12);
  for (int i = 0; i < count; ++i)
    page += "<a href=\"x\">";
  return page;
}

class BoundedRun : public ::testing::Test {
protected:
  void TearDown() override {
    linkmoor::CurrentLocalProject = linkmoor::LocalProject();
    linkmoor::CurrentRemoteProject = linkmoor::RemoteProject();
  }
  int run(std::vector<std::string> args, std::ostream &out, RunCounts *counts = nullptr) {
    ParseResult parsed = parseCheckOptions(args);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    std::ostringstream err;
    return runCheck(parsed.options, out, err, nullptr, networkSettings(parsed.options), counts);
  }
  TempDir site;
};

} // namespace

TEST_F(BoundedRun, RowsOfALargePageGoOutInPiecesWhileItIsWritten) {
  const int links = 60000; // about 5 MB of rows
  site.write("broken.htm", brokenLinks(links));
  CountingBuffer buffer;
  std::ostream out(&buffer);
  EXPECT_EQ(run({"--json", "--no-internet", site.path()}, out), 1);
  const nlohmann::json report = nlohmann::json::parse(buffer.text);
  EXPECT_EQ(report["rows"].size(), static_cast<std::size_t>(links));
  EXPECT_EQ(report["localLinksMissing"], links);
  // Written in pieces of at most 64 KB as the rows are made, not in one line at
  // the end: the page's rows are never all held.
  EXPECT_GE(static_cast<std::size_t>(buffer.writes), buffer.text.size() / (64 * 1024));
  EXPECT_GT(buffer.writes, 10);
}

TEST_F(BoundedRun, APageWithoutWebLinksIsAnalysedOnceWithTheReadAhead) {
  for (int i = 0; i < 6; ++i)
    site.write("page" + std::to_string(i) + ".htm",
               "<html><a href=\"page0.htm\">a</a> <a href=\"gone.htm\">b</a></html>\n");
  // A web link to a port where nobody listens: that page is read ahead for its
  // address and analysed again once the answer is there.
  site.write("web.htm", "<html><a href=\"http://127.0.0.1:1/x.htm\">w</a></html>\n");
  RunCounts counts;
  std::ostringstream out;
  EXPECT_EQ(run({"--json", "--timeout", "5", site.path()}, out, &counts), 1);
  std::istringstream lines(out.str());
  int pages = 0, broken = 0;
  for (std::string line; std::getline(lines, line); ++pages) {
    const nlohmann::json report = nlohmann::json::parse(line);
    broken += report["localLinksMissing"].get<int>() + report["remoteLinksMissing"].get<int>();
    EXPECT_EQ(report["rows"].size(), report["localLinksMissing"].get<std::size_t>() +
                                         report["remoteLinksMissing"].get<std::size_t>())
        << line;
  }
  EXPECT_EQ(pages, 7);
  EXPECT_EQ(broken, 7);
  EXPECT_EQ(counts.analyses, 6 + 2);
}

TEST(PageMemoryNeed, CountsTheRecordsOfTagsAndLinksBesidesTheBytes) {
  const auto need = [](const std::string &text) {
    return pageMemoryNeed(text.data(), text.size());
  };
  EXPECT_EQ(need(std::string(12000, 'w')), 2u * 12000);
  EXPECT_EQ(need(brokenLinks(1000)), 2u * 12000 + 1000 * kRecordBytesPerMarker);
  // Markers at every offset of the sixteen-byte pieces and in the tail after them,
  // beyond 255 pieces (where a piece's counts are added up), and bytes above 127.
  std::string mixed;
  std::uint64_t markers = 0;
  for (int i = 0; i < 16 * 300 + 7; ++i) {
    const char c = i % 3 == 0 ? '<' : i % 5 == 0 ? ':' : i % 7 == 0 ? '\xbc' : 'a';
    markers += c == '<' || c == ':';
    mixed.push_back(c);
  }
  EXPECT_EQ(need(mixed), 2 * mixed.size() + markers * kRecordBytesPerMarker);
  EXPECT_EQ(need(std::string(5000, '<')), 2u * 5000 + 5000 * kRecordBytesPerMarker);
  EXPECT_EQ(need(""), 0u);
}

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) ||                         \
    __has_feature(memory_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

long long addressSpaceBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmSize:", 0) == 0) return std::stoll(line.substr(7)) * 1024;
  return 0;
}

} // namespace

TEST_F(BoundedRun, APageThatExhaustsTheMemoryIsReportedReadAndTheRunGoesOn) {
  if (kSanitized)
    GTEST_SKIP() << "a sanitizer's shadow memory does not fit a bounded address space";
  site.write("a.htm", "<html><a href=\"gone.htm\">a</a></html>\n");
  // Six million links: about a gigabyte of records, far beyond the limit below
  // (whatever room earlier tests left mapped), while its 72 MB of text can be read.
  site.write("b.htm", brokenLinks(6000000));
  site.write("c.htm", "<html><a href=\"a.htm\">c</a></html>\n");
  const std::string reportPath = site.file("report.json");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The program's base, each analysis thread's stack and allocator arena (8 and
    // 64 MB), and 256 MB for the pages: not enough for the records of b.htm.
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u) + 1;
    const rlim_t limit =
        static_cast<rlim_t>(addressSpaceBytes()) + (256ull << 20) + threads * (72ull << 20);
    rlimit bound{limit, limit};
    if (setrlimit(RLIMIT_AS, &bound) != 0) _exit(3);
    std::ofstream out(reportPath);
    const int status =
        run({"--json", "--no-internet", site.path(), "a.htm", "b.htm", "c.htm"}, out);
    out.close();
    _exit(status);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the run did not end by itself: " << status;
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::istringstream lines(site.read("report.json"));
  std::vector<nlohmann::json> reports;
  for (std::string line; std::getline(lines, line);)
    reports.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(reports.size(), 3u) << site.read("report.json");
  EXPECT_EQ(reports[0]["file"], "a.htm");
  EXPECT_EQ(reports[0]["localLinksMissing"], 1);
  EXPECT_EQ(reports[1]["file"], "b.htm");
  EXPECT_EQ(reports[1]["sizeText"], "read");
  EXPECT_EQ(reports[1]["rows"].size(), 0u);
  EXPECT_EQ(reports[2]["file"], "c.htm");
  EXPECT_EQ(reports[2]["sizeText"], "35");
  EXPECT_EQ(reports[2]["localLinksMissing"], 0);
}

namespace {

// Read calls made by this process so far (all its threads, ended ones too).
long long readCalls() {
  std::ifstream io("/proc/self/io");
  for (std::string line; std::getline(io, line);)
    if (line.rfind("syscr:", 0) == 0) return std::stoll(line.substr(6));
  return -1;
}

} // namespace

TEST_F(BoundedRun, EachPageIsReadOnceWithOneCall) {
  const int pages = 60;
  for (int i = 0; i < pages; ++i)
    site.write("page" + std::to_string(i) + ".htm",
               "<html><a href=\"page0.htm\">a</a> <a href=\"gone.htm\">b</a></html>\n");
  std::ostringstream out;
  const long long before = readCalls();
  if (before < 0) GTEST_SKIP() << "/proc/self/io cannot be read here";
  EXPECT_EQ(run({"--json", "--no-internet", site.path()}, out), 1);
  // The memory a page needs is counted from the bytes read for its analysis, not
  // by reading it beforehand.
  EXPECT_LE(readCalls() - before, pages + 4);
}
