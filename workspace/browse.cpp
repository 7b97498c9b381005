#include "workspace/browse.h"

#include "app/message_box.h"
#include "platform/open_with_html_program.h"

#include <QUrl>

namespace linkmoor {

QString localBrowseAddress(const std::string &rootPath, const QString &relativePath) {
  QString path = QString::fromStdString(rootPath) + QLatin1Char('/') + relativePath;
  while (path.contains(QLatin1String("//")))
    path.replace(QLatin1String("//"), QLatin1String("/"));
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
}

QString noHtmlProgramMessage() { return QStringLiteral("Error: can not open note-pad for edit"); }

bool browseAddress(QWidget *owner, const QString &address) {
  if (openWithHtmlProgram(address.toStdString())) return true;
  showMessage(owner, noHtmlProgramMessage());
  return false;
}

} // namespace linkmoor
