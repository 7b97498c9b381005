#pragma once
// The link checkers of linkmoor-check besides the shared parallel one: one that only
// hands a page's addresses on and notes them, and one for runs without internet.

#include "engine/disk_result_cache.h"
#include "engine/link_checker.h"
#include "engine/parallel_link_checker.h"

#include <string>
#include <vector>

namespace linkmoor::cli {

/// Hands every address a page links to to the shared checker, notes them, and answers
/// everything as found; used to read the pages ahead of the report so that their
/// addresses are being checked before they are needed.
class QueueingLinkChecker : public LinkChecker {
public:
  explicit QueueingLinkChecker(ParallelLinkChecker &web) : web_(web) {}
  /// Answers Found without looking.
  LinkStatus checkHttp(const std::string &) override { return LinkStatus::Found; }
  /// Answers Found without looking.
  LinkStatus checkDisk(const std::string &) override { return LinkStatus::Found; }
  bool checksInParallel() const override { return true; }
  /// Queues `urls` on the shared checker and notes them for takeNoted.
  void startHttp(const std::vector<std::string> &urls) override;
  /// The addresses noted since the last call.
  std::vector<std::string> takeNoted() { return std::move(noted_); }

private:
  ParallelLinkChecker &web_;
  std::vector<std::string> noted_;
};

/// The checker of a run without internet: web addresses are reported as found without
/// a request; each disk path is looked at once. Thread-safe.
class OfflineLinkChecker : public LinkChecker {
public:
  /// Found: the address is not requested.
  LinkStatus checkHttp(const std::string &) override { return LinkStatus::Found; }
  /// The disk check of `path`, made once per path.
  LinkStatus checkDisk(const std::string &path) override { return results_.check(path); }
  /// True: each path is looked at once.
  bool keepsDiskResults() const override { return true; }

private:
  DiskResultCache results_;
};

} // namespace linkmoor::cli
