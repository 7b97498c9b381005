#include "engine/link_verification.h"

#include "engine/target_decoding.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace linkmoor {

namespace {

// How long the verification waits for a parallel check before it looks at Stop and
// Skip again.
constexpr std::chrono::milliseconds kPollInterval{100};

// The HTTP addresses of a page for a checker that works in parallel: per link index
// ("" for links not requested), and the list handed to the checker.
struct PageAddresses {
  std::vector<std::string> byLink;
  std::vector<std::string> all;
};

// Waits for the parallel check of link `i`, showing how many of the page's links are
// done and the target waited for, and looking at Stop and Skip between checks. False
// when Stop or Skip ended the wait (the flag is set).
bool waitForCheck(const LinkList &links, int i, const PageAddresses &addresses,
                  PassContext &context) {
  LinkChecker &checker = context.checker;
  JobControl &job = context.job;
  const std::string &url = addresses.byLink[static_cast<std::size_t>(i)];
  if (checker.waitHttp(url, std::chrono::milliseconds(0))) return true;
  const int count = links.count();
  int shown = -1;
  for (;;) {
    // The links before this one are done; count those after it that finished early.
    int finished = i;
    for (int j = i + 1; j < count; ++j) {
      const std::string &later = addresses.byLink[static_cast<std::size_t>(j)];
      if (!later.empty() && checker.waitHttp(later, std::chrono::milliseconds(0))) ++finished;
    }
    if (finished != shown) {
      job.setItemText(requestingText(finished, count), links.at(i)->target, true);
      shown = finished;
    }
    if (checker.waitHttp(url, kPollInterval)) return true;
    if (job.stopRequested()) {
      context.stop = 1;
      return false;
    }
    if (job.takeSkip()) {
      context.skip = 1;
      return false;
    }
  }
}

// Checks every link in order; `overHttp` tells which links go over the network
// (with a progress text), `onDisk` which are tested on disk; others stay unchecked.
// A checker that works in parallel gets all the page's addresses first and is waited
// for link by link; Stop or Skip then cancels the checks still running.
template <typename OverHttp, typename OnDisk>
void verifyLinks(LinkList &links, PassContext &context, OverHttp overHttp, OnDisk onDisk,
                 LocalLinkMemo *memo = nullptr) {
  JobControl &job = context.job;
  LinkChecker &checker = context.checker;
  const int count = links.count();
  // Disk results kept between pages must be the checker's results for the job.
  if (memo && (!checker.keepsDiskResults() ||
               memo->pageEntries.size() != static_cast<std::size_t>(std::max(count, 0))))
    memo = nullptr;
  const bool parallel = checker.checksInParallel();
  PageAddresses addresses;
  if (parallel) {
    addresses.byLink.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
      const LinkRecord *link = links.at(i);
      if (!link || link->status != LinkStatus::Found || !overHttp(*link)) continue;
      std::string url = httpAddressOfTarget(link->target);
      addresses.all.push_back(url);
      addresses.byLink[static_cast<std::size_t>(i)] = std::move(url);
    }
    checker.startHttp(addresses.all);
  }
  std::string diskPath; // decoded disk targets, one block for the page
  auto cancel = [&] {
    if (parallel) checker.cancelHttp(addresses.all);
  };
  for (int i = 0; i < count; ++i) {
    if (job.stopRequested()) {
      context.stop = 1;
      cancel();
      return;
    }
    if (job.takeSkip()) {
      context.skip = 1;
      cancel();
      return;
    }
    LinkRecord *link = links.at(i);
    if (!link || link->status != LinkStatus::Found) continue;
    LinkStatus status = LinkStatus::Found;
    if (overHttp(*link) && parallel) {
      if (!waitForCheck(links, i, addresses, context)) {
        cancel();
        return;
      }
      status = checker.checkHttp(addresses.byLink[static_cast<std::size_t>(i)]);
    } else if (overHttp(*link)) {
      job.setItemText(requestingText(i, count), link->target, true);
      status = checkHttpTarget(link->target, checker);
      // Stop pressed during the request may have cut it short: its result says
      // nothing about the link, which stays unchecked like the ones after it.
      if (job.stopRequested()) {
        context.stop = 1;
        return;
      }
    } else if (onDisk(*link)) {
      MemoTarget *known = memo ? memo->pageEntries[static_cast<std::size_t>(i)] : nullptr;
      if (known && known->checked) {
        status = known->status;
      } else {
        status = checkDiskTarget(link->target, checker, diskPath);
        if (known) {
          known->status = status;
          known->checked = true;
        }
      }
    } else {
      continue;
    }
    link->status = status;
  }
}

} // namespace

std::string requestingText(int index, int count) {
  char text[80];
  std::snprintf(text, sizeof text, "Requesting file from internet      %d/%d", index, count);
  return text;
}

LinkStatus checkHttpTarget(const std::string &target, LinkChecker &checker) {
  return checker.checkHttp(httpAddressOfTarget(target));
}

LinkStatus checkDiskTarget(const std::string &target, LinkChecker &checker) {
  std::string path;
  return checkDiskTarget(target, checker, path);
}

LinkStatus checkDiskTarget(const std::string &target, LinkChecker &checker, std::string &path) {
  if (!diskPathOfTarget(target, path)) return LinkStatus::NoDiskFile;
  return checker.checkDisk(path);
}

void verifyLocal(LinkList &links, PassContext &context, LocalLinkMemo *memo) {
  verifyLinks(
      links, context, [](const LinkRecord &link) { return link.type == LinkType::Remote; },
      [](const LinkRecord &link) {
        return link.type == LinkType::Local || link.type == LinkType::Site;
      },
      memo);
}

void verifyRemote(LinkList &links, PassContext &context) {
  verifyLinks(
      links, context, [](const LinkRecord &) { return true; },
      [](const LinkRecord &) { return false; });
}

} // namespace linkmoor
