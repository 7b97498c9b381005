#pragma once
// A remote project: an FTP site with its account and options, and the local
// folder into which the site is mirrored.

#include <cstdint>
#include <string>

namespace linkmoor {

/// One remote project, fields in the order in which the project file stores
/// them. Flags hold 0 or 1 as the program writes them; a file may give other
/// values, of which the low 8 bits are kept. Copying assigns every field.
struct RemoteProject {
  std::string projectName;       ///< unique within the list, ignoring case
  std::string downloadPath;      ///< local folder into which the site is mirrored
  std::string subdomainPath;     ///< folder of the FTP site served as the web site, e.g. "/www/"
  std::string subdomainName;     ///< host name under which that folder is served
  std::string host;              ///< FTP server ("Host/IP/URL")
  std::int32_t port = 21;        ///< FTP port
  std::string userName;          ///< FTP account
  std::string password;          ///< FTP password, kept as typed
  std::uint8_t passive = 0;      ///< "Use PASV transfer"
  std::uint8_t savePassword = 1; ///< "Save pswd"
  std::uint8_t addProjectNameToDownload = 1; ///< "Add project name as download sub-directory"
  std::uint8_t clearDownloadDirectory = 0;   ///< "Clear download directory"

  /// Assigns every field of `from`.
  void copy(const RemoteProject &from) { *this = from; }
  /// Turns every backslash of the download path and of the host into "/" and
  /// removes their trailing "/".
  void normalise();
  /// The local mirror of the site: the download path, followed by "/" and the
  /// project name when addProjectNameToDownload is set.
  std::string downloadFolder() const;
};

} // namespace linkmoor
