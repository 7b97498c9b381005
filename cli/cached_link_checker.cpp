#include "cli/cached_link_checker.h"

namespace linkmoor::cli {

void QueueingLinkChecker::startHttp(const std::vector<std::string> &urls) {
  web_.startHttp(urls);
  noted_.insert(noted_.end(), urls.begin(), urls.end());
}

} // namespace linkmoor::cli
