#pragma once
// The "Host/IP/URL" field of a remote project read as an address: a bare host or
// "ftp://host" is plain FTP, "ftps://host" is FTP with explicit TLS, "sftp://host"
// is SFTP. A port written in the address wins over the project's port field.

#include <string>

namespace linkmoor {

/// How the program talks to the server.
enum class FtpProtocol {
  Plain,       ///< FTP without encryption
  ExplicitTls, ///< FTP that turns on TLS with AUTH TLS; login and data encrypted
  Sftp         ///< SSH file transfer
};

/// A server address taken apart.
struct FtpAddress {
  FtpProtocol protocol = FtpProtocol::Plain; ///< from the scheme; Plain without one
  std::string host;                          ///< host name or address, IPv6 in brackets
  int port = 21;                             ///< from the address, else the port field

  /// "ftp://host:port" or "sftp://host:port" (TLS is switched on separately).
  std::string baseUrl() const;
};

/// Reads `field` (trimmed; a user part "name@" and any path behind the host are
/// dropped) with `portField` as the port when the address names none. For SFTP the
/// FTP default 21 in the port field stands for SFTP's 22.
FtpAddress parseFtpAddress(const std::string &field, int portField);

} // namespace linkmoor
