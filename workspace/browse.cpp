#include "workspace/browse.h"

#include "app/message_box.h"
#include "platform/open_with_html_program.h"
#include "storage/file_name_text.h"

#include <QUrl>

namespace linkmoor {

QString fileAddressOfBytes(std::string path) {
  for (std::size_t at; (at = path.find("//")) != std::string::npos;)
    path.erase(at, 1);
  if (path.empty() || path.front() != '/') path.insert(path.begin(), '/');
  // The bytes themselves are encoded, so a name that is not UTF-8 keeps them.
  const QByteArray encoded = QByteArray(path.data(), static_cast<qsizetype>(path.size()))
                                 .toPercentEncoding(QByteArrayLiteral("/!$&'()*+,;=:@"));
  return QStringLiteral("file://") + QString::fromLatin1(encoded);
}

QString localBrowseAddress(const std::string &rootPath, const QString &relativePath) {
  return fileAddressOfBytes(rootPath + "/" + bytesOfCarried(relativePath.toStdString()));
}

QString noHtmlProgramMessage() { return QStringLiteral("Error: can not open note-pad for edit"); }

bool browseAddress(QWidget *owner, const QString &address) {
  if (openWithHtmlProgram(address.toStdString())) return true;
  showMessage(owner, noHtmlProgramMessage());
  return false;
}

} // namespace linkmoor
