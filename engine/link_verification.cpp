#include "engine/link_verification.h"

#include "engine/target_decoding.h"

#include <cstdio>

namespace linkmoor {

namespace {

// Checks every link in order; `overHttp` tells which links go over the network
// (with a progress text), `onDisk` which are tested on disk; others stay unchecked.
template <typename OverHttp, typename OnDisk>
void verifyLinks(LinkList &links, PassContext &context, OverHttp overHttp, OnDisk onDisk) {
  JobControl &job = context.job;
  const int count = links.count();
  for (int i = 0; i < count; ++i) {
    if (job.stopRequested()) {
      context.stop = 1;
      return;
    }
    if (job.takeSkip()) {
      context.skip = 1;
      return;
    }
    LinkRecord *link = links.at(i);
    if (!link || link->status != LinkStatus::Found) continue;
    LinkStatus status = LinkStatus::Found;
    if (overHttp(*link)) {
      job.setItemText(requestingText(i, count), link->target, true);
      status = checkHttpTarget(link->target, context.checker);
      // Stop pressed during the request may have cut it short: its result says
      // nothing about the link, which stays unchecked like the ones after it.
      if (job.stopRequested()) {
        context.stop = 1;
        return;
      }
    } else if (onDisk(*link)) {
      status = checkDiskTarget(link->target, context.checker);
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
  if (!diskPathOfTarget(target, path)) return LinkStatus::NoDiskFile;
  return checker.checkDisk(path);
}

void verifyLocal(LinkList &links, PassContext &context) {
  verifyLinks(
      links, context, [](const LinkRecord &link) { return link.type == LinkType::Remote; },
      [](const LinkRecord &link) {
        return link.type == LinkType::Local || link.type == LinkType::Site;
      });
}

void verifyRemote(LinkList &links, PassContext &context) {
  verifyLinks(
      links, context, [](const LinkRecord &) { return true; },
      [](const LinkRecord &) { return false; });
}

} // namespace linkmoor
