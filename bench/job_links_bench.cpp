// linkmoor-job-bench: times the link checks of the windowed program's analysis job
// (job 100) on a site folder, through the engine path the job takes: one checker for
// the whole job, the general pass page after page. Prints the time, the requests
// made and the name look-ups started.
//
//   linkmoor-job-bench ROOT [--one-at-a-time] [--pages N]

#include "engine/analysis_pass.h"
#include "engine/html_scanner.h"
#include "engine/job_control.h"
#include "engine/network_link_checker.h"
#include "engine/parallel_link_checker.h"
#include "storage/current_projects.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <string>
#include <vector>

using namespace linkmoor;

namespace {

std::vector<std::string> pagesOf(const std::string &root) {
  std::vector<std::string> pages;
  if (DIR *dir = opendir(root.c_str())) {
    while (dirent *entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0) pages.push_back(name);
    }
    closedir(dir);
  }
  std::sort(pages.begin(), pages.end());
  return pages;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: linkmoor-job-bench ROOT [--one-at-a-time] [--pages N]\n");
    return 2;
  }
  const std::string root = argv[1];
  bool oneAtATime = false;
  std::size_t limit = SIZE_MAX;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--one-at-a-time") oneAtATime = true;
    if (arg == "--pages" && i + 1 < argc) limit = std::strtoul(argv[++i], nullptr, 10);
  }
  initNetwork();
  CurrentLocalProject.rootPath = root;
  std::vector<std::string> pages = pagesOf(root);
  if (pages.size() > limit) pages.resize(limit);

  std::atomic<int> lookups{0};
  ParallelCheckSettings settings;
  settings.onLookup = [&](const std::string &) { ++lookups; };
  ParallelLinkChecker *parallel = nullptr;
  std::unique_ptr<LinkChecker> checker;
  if (oneAtATime) {
    checker = std::make_unique<NetworkLinkChecker>();
  } else {
    auto made = std::make_unique<ParallelLinkChecker>(settings);
    parallel = made.get();
    checker = std::move(made);
  }

  SilentJob job;
  long links = 0, missing = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const std::string &page : pages) {
    HtmlScanner scanner;
    FileSummary summary;
    PassContext context(false, job, *checker);
    findGeneralInfo(scanner, page, summary, context);
    links += summary.remoteLinks;
    missing += summary.remoteLinksMissing;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu pages, %ld web links, %ld not found, %.2f s (%s)", pages.size(), links, missing,
              seconds, oneAtATime ? "one at a time" : "parallel");
  if (parallel) {
    const HttpPoolCounts counts = parallel->poolCounts();
    std::printf(", %llu requests, %d name look-ups, %llu answered from the host memo",
                static_cast<unsigned long long>(counts.started), lookups.load(),
                static_cast<unsigned long long>(counts.hostMemoHits));
  }
  std::printf("\n");
  return 0;
}
