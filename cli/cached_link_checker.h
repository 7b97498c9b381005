#pragma once
// The link checkers of linkmoor-check: one that only queues the URLs a page
// links to, and one that answers from the shared cache.

#include "cli/url_cache.h"
#include "engine/link_checker.h"
#include "engine/network_link_checker.h"

#include <string>
#include <unordered_map>

namespace linkmoor::cli {

/// Queues every URL in the cache and reports everything as found; used to look
/// ahead at the pages so that their URLs are being checked before they are needed.
class QueueingLinkChecker : public LinkChecker {
public:
  explicit QueueingLinkChecker(UrlCache &cache) : cache_(cache) {}
  /// Queues `url` and answers Found.
  LinkStatus checkHttp(const std::string &url) override;
  /// Answers Found without looking.
  LinkStatus checkDisk(const std::string &path) override;

private:
  UrlCache &cache_;
};

/// Answers URLs from the cache (waiting for them when needed), or reports them as
/// found without a request when the internet is off; checks disk paths once each.
class CachedLinkChecker : public LinkChecker {
public:
  CachedLinkChecker(UrlCache *cache) : cache_(cache) {}
  /// The cached result of `url`, or Found when the internet is off.
  LinkStatus checkHttp(const std::string &url) override;
  /// The disk check of `path`, made once per path.
  LinkStatus checkDisk(const std::string &path) override;

private:
  UrlCache *cache_;         ///< null: no internet
  NetworkLinkChecker disk_; ///< the windowed program's disk check
  std::unordered_map<std::string, LinkStatus> diskResults_;
};

} // namespace linkmoor::cli
