#include "engine/link_verification.h"

#include "engine/target_decoding.h"

#include <cstdio>

namespace linkmoor {

namespace {

constexpr int kDiskMissing = static_cast<int>(LinkStatus::NoDiskFile);

// Checks every link in order; `overHttp` tells which links go over the network
// (with a progress text), `onDisk` which are tested on disk; others stay unchecked.
template <typename OverHttp, typename OnDisk>
void verifyLinks(LinkList &links, int &stop, int &skip, JobControl &job, LinkChecker &checker,
                 OverHttp overHttp, OnDisk onDisk) {
  const int count = links.count();
  for (int i = 0; i < count; ++i) {
    if (job.stopRequested()) {
      stop = 1;
      return;
    }
    if (job.takeSkip()) {
      skip = 1;
      return;
    }
    LinkRecord *link = links.at(i);
    if (!link || link->status != LinkStatus::Found) continue;
    int status = 0;
    if (overHttp(*link)) {
      job.setItemText(requestingText(i, count), link->target, true);
      status = checkHttpTarget(link->target, checker);
      // Stop pressed during the request may have cut it short: its result says
      // nothing about the link, which stays unchecked like the ones after it.
      if (job.stopRequested()) {
        stop = 1;
        return;
      }
    } else if (onDisk(*link)) {
      status = checkDiskTarget(link->target, checker);
    } else {
      continue;
    }
    link->status = static_cast<LinkStatus>(status);
  }
}

} // namespace

std::string requestingText(int index, int count) {
  char text[80];
  std::snprintf(text, sizeof text, "Requesting file from internet      %d/%d", index, count);
  return text;
}

int checkHttpTarget(const std::string &target, LinkChecker &checker) {
  return checker.checkHttp(httpAddressOfTarget(target));
}

int checkDiskTarget(const std::string &target, LinkChecker &checker) {
  std::string path;
  if (!diskPathOfTarget(target, path)) return kDiskMissing;
  return checker.checkDisk(path);
}

void verifyLocal(LinkList &links, int &stop, int &skip, JobControl &job, LinkChecker &checker) {
  verifyLinks(
      links, stop, skip, job, checker,
      [](const LinkRecord &link) { return link.type == LinkType::Remote; },
      [](const LinkRecord &link) {
        return link.type == LinkType::Local || link.type == LinkType::Site;
      });
}

void verifyRemote(LinkList &links, int &stop, int &skip, JobControl &job, LinkChecker &checker) {
  verifyLinks(
      links, stop, skip, job, checker, [](const LinkRecord &) { return true; },
      [](const LinkRecord &) { return false; });
}

} // namespace linkmoor
