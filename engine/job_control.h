#pragma once
// What the analysis needs of the running job: whether the user pressed Stop or
// Skip, and a place to show what it is doing. The windowed program's job runner
// implements it; tests and the command-line checker have their own.

#include <string>

namespace linkmoor {

/// The running job as the analysis sees it.
class JobControl {
public:
  virtual ~JobControl() = default;
  /// True once the user asked to stop the whole job.
  virtual bool stopRequested() = 0;
  /// True when the user asked to skip the rest of the current file; clears the request.
  virtual bool takeSkip() = 0;
  /// Shows `action` on the first line and `item` (shortened for display, URLs cut
  /// at their query or anchor when `cutQuery` is set) on the second.
  virtual void setItemText(const std::string &action, const std::string &item, bool cutQuery) = 0;
};

/// A job that is never stopped or skipped and shows nothing.
class SilentJob : public JobControl {
public:
  bool stopRequested() override { return false; }
  bool takeSkip() override { return false; }
  void setItemText(const std::string &, const std::string &, bool) override {}
};

} // namespace linkmoor
