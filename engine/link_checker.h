#pragma once
// How a link target is checked. The analysis asks through this interface so that
// the windowed program checks one link at a time over the network, while the
// command-line checker answers from a cache that it fills in parallel.

#include "engine/result_codes.h"

#include <string>

namespace linkmoor {

/// Checks one resolved, decoded link target.
class LinkChecker {
public:
  virtual ~LinkChecker() = default;
  /// An http:// or https:// URL: Found when the final answer is 200, NoWebSite when
  /// the request could not be made or sent, NoWebFile for any other answer.
  virtual LinkStatus checkHttp(const std::string &url) = 0;
  /// A disk path (no "file://", no "#" or "?" part, escapes decoded): Found when
  /// it can be opened for reading, NoDiskFile otherwise.
  virtual LinkStatus checkDisk(const std::string &path) = 0;
};

} // namespace linkmoor
