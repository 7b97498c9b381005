#pragma once
// How a link target is checked. The analysis asks through this interface; a checker
// may answer one link at a time, or take all the HTTP addresses of a page at once
// and check them in parallel while the verification waits for them in list order.

#include "engine/result_codes.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

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
  /// True when checkDisk answers each path for the rest of the job as it first
  /// did (the files are taken not to change meanwhile): its answers may then be kept.
  virtual bool keepsDiskResults() const { return false; }

  /// True when the checker works on several addresses at once: the verification then
  /// hands it a page's addresses with startHttp and waits with waitHttp.
  virtual bool checksInParallel() const { return false; }
  /// Starts the checks of `urls` (the HTTP addresses of one page, in list order)
  /// without waiting for them.
  virtual void startHttp(const std::vector<std::string> &urls) { (void)urls; }
  /// Waits at most `limit` for the check of `url`; true when checkHttp(url) would
  /// now answer without waiting.
  virtual bool waitHttp(const std::string &url, std::chrono::milliseconds limit) {
    (void)url;
    (void)limit;
    return true;
  }
  /// Ends the checks of `urls` that have not finished; their addresses are checked
  /// afresh when asked again.
  virtual void cancelHttp(const std::vector<std::string> &urls) { (void)urls; }
};

/// Forwards every check to a checker shared with other users, such as the passes of
/// one job that should each ask the web only once per address.
class SharedLinkChecker : public LinkChecker {
public:
  /// Forwards to `target`, which lives at least as long as this checker.
  explicit SharedLinkChecker(std::shared_ptr<LinkChecker> target) : target_(std::move(target)) {}
  LinkStatus checkHttp(const std::string &url) override { return target_->checkHttp(url); }
  LinkStatus checkDisk(const std::string &path) override { return target_->checkDisk(path); }
  bool keepsDiskResults() const override { return target_->keepsDiskResults(); }
  bool checksInParallel() const override { return target_->checksInParallel(); }
  void startHttp(const std::vector<std::string> &urls) override { target_->startHttp(urls); }
  bool waitHttp(const std::string &url, std::chrono::milliseconds limit) override {
    return target_->waitHttp(url, limit);
  }
  void cancelHttp(const std::vector<std::string> &urls) override { target_->cancelHttp(urls); }

private:
  std::shared_ptr<LinkChecker> target_;
};

} // namespace linkmoor
