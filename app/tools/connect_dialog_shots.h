#pragma once
// The remote project dialog for the screenshot tool: empty (no project stored) and
// filled (two projects, the second selected), in the tool's scratch Setting folder.

#include "app/connect_dialog.h"
#include "app/job_thread.h"
#include "app/tools/screenshot_support.h"
#include "storage/remote_project_store.h"

#include <QFile>
#include <QString>
#include <memory>

namespace linkmoor::shots {

/// Saves connect-dialog-empty.png and connect-dialog-filled.png over `main` into `dir`.
inline bool saveConnectDialogShots(QWidget *main, JobThread &jobs, const QString &dir) {
  const QString file = QString::fromStdString(RemoteProjectStore().filePath());
  QFile::remove(file);
  FtpSite site;
  bool ok = true;
  {
    ConnectDialog empty(jobs, site, main);
    empty.show();
    ok &= save(&empty, dir, QStringLiteral("connect-dialog-empty.png"));
  }
  {
    RemoteProjectStore store;
    auto shop = std::make_unique<RemoteProject>();
    shop->projectName = "Shop";
    shop->downloadPath = "/home/user/mirror";
    shop->host = "ftps://ftp.example.com";
    shop->userName = "webmaster";
    shop->password = "secret";
    shop->passive = 1;
    auto blog = std::make_unique<RemoteProject>();
    blog->projectName = "Blog";
    blog->downloadPath = "/home/user/mirror";
    blog->host = "ftp.example.org";
    blog->userName = "blogger";
    blog->savePassword = 0;
    store.insertFirst(std::move(blog));
    store.insertFirst(std::move(shop));
    store.setSelectedIndex(0);
    store.save();
  }
  {
    ConnectDialog filled(jobs, site, main);
    filled.show();
    ok &= save(&filled, dir, QStringLiteral("connect-dialog-filled.png"));
    filled.reject();
  }
  QFile::remove(file);
  return ok;
}

} // namespace linkmoor::shots
