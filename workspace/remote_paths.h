#pragma once
// The web side of a remote project: which tree folder is the subdomain path, and the
// address under which a site file is served (the subdomain name and the file's path
// below the subdomain path).

#include <QString>
#include <string>

namespace linkmoor {

/// The subdomain path that the tree folder `itemPath` stands for: "/" for the root
/// (empty path), else "/" + path + "/".
std::string subdomainPathOf(const QString &itemPath);
/// True when the folder `itemPath` (not the root) is the subdomain path `subdomainPath`;
/// a subdomain path of "/" or empty matches no folder.
bool isSubdomainFolder(const QString &itemPath, const std::string &subdomainPath);
/// The path of the site file `path` (relative to the FTP root) below `subdomainPath`:
/// `path` itself when the subdomain path has at most one character, else `path` without
/// its first (length − 1) characters.
QString sitePathOf(const QString &path, const std::string &subdomainPath);
/// "http://" + `subdomainName` + "/" + sitePathOf(path, subdomainPath).
QString remoteBrowseAddress(const std::string &subdomainName, const std::string &subdomainPath,
                            const QString &path);

} // namespace linkmoor
