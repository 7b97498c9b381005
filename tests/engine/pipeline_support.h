#pragma once
// What the link and pipeline tests share: a job that records its progress texts
// and can be stopped or skipped, a checker that records what it was asked before
// asking the real one, and a fixture that restores the current projects.

#include "engine/job_control.h"
#include "engine/link_checker.h"
#include "engine/network_link_checker.h"
#include "storage/current_projects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace linkmoor::test {

/// A job whose Stop and Skip the test (or another thread) presses.
class RecordingJob : public JobControl {
public:
  struct Text {
    std::string action;
    std::string item;
    bool cutQuery;
  };

  bool stopRequested() override {
    ++stopPolls;
    if (stopAfterPolls >= 0 && stopPolls > stopAfterPolls) stop = true;
    return stop;
  }
  bool takeSkip() override {
    ++skipPolls;
    if (skipAtPoll >= 0 && skipPolls == skipAtPoll) return true;
    return skip.exchange(false);
  }
  void setItemText(const std::string &action, const std::string &item, bool cutQuery) override {
    std::lock_guard lock(mutex);
    texts.push_back({action, item, cutQuery});
  }
  std::vector<Text> recorded() {
    std::lock_guard lock(mutex);
    return texts;
  }

  std::atomic<bool> stop{false};
  std::atomic<bool> skip{false};
  /// Stop turns on once stopRequested has been asked more than this many times.
  int stopAfterPolls = -1;
  /// takeSkip answers true on exactly this call (counted from 1).
  int skipAtPoll = -1;
  std::atomic<int> stopPolls{0};
  int skipPolls = 0;

private:
  std::mutex mutex;
  std::vector<Text> texts;
};

/// Records every question, then lets the real checker answer it.
class RecordingChecker : public LinkChecker {
public:
  explicit RecordingChecker(JobControl *job = nullptr, HttpCheckOptions options = {})
      : real(job, std::move(options)) {}
  LinkStatus checkHttp(const std::string &url) override {
    httpAsked.push_back(url);
    return real.checkHttp(url);
  }
  LinkStatus checkDisk(const std::string &path) override {
    diskAsked.push_back(path);
    return real.checkDisk(path);
  }

  NetworkLinkChecker real;
  std::vector<std::string> httpAsked;
  std::vector<std::string> diskAsked;
};

/// Saves the current projects before a test and puts them back after it.
class CurrentProjectsTest : public ::testing::Test {
protected:
  void SetUp() override {
    savedLocal_ = CurrentLocalProject;
    savedRemote_ = CurrentRemoteProject;
  }
  void TearDown() override {
    CurrentLocalProject = savedLocal_;
    CurrentRemoteProject = savedRemote_;
  }

private:
  LocalProject savedLocal_;
  RemoteProject savedRemote_;
};

} // namespace linkmoor::test
