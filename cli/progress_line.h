#pragma once
// The one-line progress display on a terminal's stderr.

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

namespace linkmoor::cli {

/// Rewrites one line on `out` with files done, links checked and the current
/// file, at most ten times a second; shows nothing when disabled.
class ProgressLine {
public:
  ProgressLine(std::FILE *out, bool enabled) : out_(out), enabled_(enabled) {}
  ~ProgressLine() { finish(); }

  /// Shows the state; `force` skips the rate limit.
  void show(std::size_t filesDone, std::size_t filesTotal, std::size_t linksChecked,
            const std::string &current, bool force = false);
  /// Clears the line.
  void finish();

private:
  std::FILE *out_;
  bool enabled_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_{};
  std::mutex mutex_;
};

} // namespace linkmoor::cli
