#include "workspace/remote_paths.h"

namespace linkmoor {

std::string subdomainPathOf(const QString &itemPath) {
  if (itemPath.isEmpty()) return "/";
  return "/" + itemPath.toStdString() + "/";
}

bool isSubdomainFolder(const QString &itemPath, const std::string &subdomainPath) {
  if (itemPath.isEmpty() || subdomainPath.size() <= 1) return false;
  return subdomainPathOf(itemPath) == subdomainPath;
}

QString sitePathOf(const QString &path, const std::string &subdomainPath) {
  const qsizetype length = static_cast<qsizetype>(subdomainPath.size());
  if (length <= 1) return path;
  return path.mid(length - 1);
}

QString remoteBrowseAddress(const std::string &subdomainName, const std::string &subdomainPath,
                            const QString &path) {
  return QStringLiteral("http://") + QString::fromStdString(subdomainName) + QLatin1Char('/') +
         sitePathOf(path, subdomainPath);
}

} // namespace linkmoor
