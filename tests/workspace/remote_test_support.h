#pragma once
// Helpers of the remote workspace tests: a small site served over FTP by pyftpdlib
// and, the same files below www/, over HTTP as the "live site" on 127.0.0.1; a remote
// sheet connected to it, with the subdomain name localhost:PORT.

#include "app/job_thread.h"
#include "support/ftp_test_server.h"
#include "support/gui/gui_test_helpers.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"
#include "workspace/sheet_remote.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class QTreeWidgetItem;

namespace linkmoor::test {

/// Processes events until `done` is true or `seconds` have passed; false on time-out.
bool waitFor(const std::function<bool()> &done, int seconds = 60);

/// A shown remote sheet over the test site.
class RemoteSheetTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  /// Waits until no job runs; false if one never ended.
  bool waitForJobs();
  /// The child of `parent` named `name`, or null.
  static QTreeWidgetItem *child(QTreeWidgetItem *parent, const QString &name);
  /// The item at the "/"-separated `path` below the root, or null.
  QTreeWidgetItem *item(const QString &path) const;
  /// Lists the root (job 54) and waits.
  void retrieveRoot();
  /// Lists everything below the root (job 56) and waits.
  void retrieveAll();
  /// Makes the folder at `path` ("" the root) the subdomain path.
  void setSubdomain(const QString &path);
  /// The contents of the FTP site's file `relative`.
  std::string served(const std::string &relative) const { return ftpRoot_.read(relative); }

  TempDir program_;
  TempDir ftpRoot_;
  TempDir mirror_;
  std::unique_ptr<HttpTestServer> http_;
  std::unique_ptr<PyFtpServer> ftp_;
  QWidget host_;
  std::unique_ptr<JobThread> jobs_;
  SheetRemote *sheet_ = nullptr;
};

} // namespace linkmoor::test
