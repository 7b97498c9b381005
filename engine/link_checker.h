#pragma once
// How a link target is checked. The analysis asks through this interface so that
// the windowed program checks one link at a time over the network, while the
// command-line checker answers from a cache that it fills in parallel.

#include <string>

namespace linkmoor {

/// Checks one resolved, decoded link target.
class LinkChecker {
public:
  virtual ~LinkChecker() = default;
  /// An http:// or https:// URL: 0 when the final answer is 200, 5 when the
  /// request could not be made or sent, 10 for any other answer.
  virtual int checkHttp(const std::string &url) = 0;
  /// A disk path (no "file://", no "#" or "?" part, escapes decoded): 0 when
  /// it can be opened for reading, 15 otherwise.
  virtual int checkDisk(const std::string &path) = 0;
};

} // namespace linkmoor
