#pragma once
// The program's one connection to the FTP server of the open remote project, over
// libcurl: connect, tell whether the connection still answers, connect again on
// request, list a folder, download a file in ASCII mode and upload a text in binary
// mode. libcurl keeps the control connection alive inside one easy handle between
// operations; every operation resets the handle's options and sets them anew.
//
// Used from the worker thread by the jobs and from the GUI thread only while no job
// runs; a lock keeps two callers from sharing the handle at once all the same.

#include "platform/ftp_address.h"
#include "platform/ftp_listing.h"

#include <functional>
#include <mutex>
#include <string>

namespace linkmoor {

/// What a connection is made with (the connection fields of a remote project).
struct FtpLogin {
  std::string host;     ///< the "Host/IP/URL" field: host, ftp://, ftps:// or sftp:// address
  int port = 21;        ///< the port field; a port in `host` wins
  std::string userName; ///< account
  std::string password; ///< password
  bool passive = false; ///< passive data connections; active ones otherwise
};

/// The three time-outs of a connection, in milliseconds.
struct FtpTimeouts {
  long connectMs = 60000;  ///< making the connection, greeting and login included
  long responseMs = 60000; ///< waiting for an answer on the control connection
  long stalledMs = 60000;  ///< a data transfer that moves no byte for this long ends
};

/// The question `reconnect` asks before it connects again.
inline constexpr const char *kReconnectQuestion =
    "FTP is disconnected,\ndo you want to re-connect?\n";

/// One connection to an FTP server.
class FtpSite {
public:
  /// Asks `question` (Yes/No); true for Yes.
  using Question = std::function<bool(const std::string &question)>;
  /// Shows what is being done: (action, item).
  using Progress = std::function<void(const std::string &action, const std::string &item)>;

  FtpSite();
  /// Closes the connection.
  ~FtpSite();
  FtpSite(const FtpSite &) = delete;
  FtpSite &operator=(const FtpSite &) = delete;

  /// Time-outs for the next `connect` (tests shorten them).
  void setTimeouts(const FtpTimeouts &timeouts);
  /// A file of trusted certificates for FTPS instead of the system's store (tests).
  void setCaFile(const std::string &path);

  /// Closes any open connection, then connects and logs in with `login`. True when the
  /// server answered the login and told its current folder. A certificate that does not
  /// verify is a failed connection.
  bool connect(const FtpLogin &login);
  /// True when a connection exists and the server answers for its current folder on
  /// that same connection; a connection that had to be made anew counts as lost (and
  /// stays lost until the next `connect`).
  bool isConnected();
  /// If `ask` is set, asks kReconnectQuestion through it and returns false on No without
  /// touching anything. Then connects again with the login of the last `connect`.
  bool reconnect(const Question &ask = {});
  /// Ends the connection.
  void close();

  /// The server's current folder as its PWD answer names it; false when it cannot be had.
  bool currentFolder(std::string &folder);
  /// Lists the server folder `path` ("" the login folder; "/x" absolute, "x/y" below the
  /// login folder): MLSD where the server has it, LIST otherwise. Unsafe names are
  /// counted in `refused` and left out. False when the folder cannot be listed.
  bool listFolder(const std::string &path, FtpListing &listing);

  /// Copies the remote file `remotePath` in ASCII mode into localFolder + "/" +
  /// remotePath, through a temporary file that replaces the target only after a
  /// complete copy. `result` becomes the byte count ("%d") or "create dir", "create
  /// file", "open file", "write file". A remote file that cannot be opened leaves an
  /// empty local file; a copy broken off leaves the former local file as it was.
  bool downloadFile(const std::string &localFolder, const std::string &remotePath,
                    std::string &result, const Progress &progress = {});
  /// Writes `text` byte for byte (binary mode) as the remote file `remotePath`.
  /// `result` becomes empty, "open file" or "write file".
  bool uploadText(const std::string &text, const std::string &remotePath, std::string &result);

  /// The libcurl result of the last operation (for tests and diagnostics).
  int lastCurlCode() const { return lastCode_; }

private:
  struct Impl;
  bool connectLocked(const FtpLogin &login);
  void closeLocked();
  bool askFolder(std::string &folder, long &newConnections);
  bool listWith(const std::string &url, bool mlsd, FtpListing &listing);
  std::string urlOf(const std::string &path, bool folder) const;
  void setCommonOptions();

  std::mutex mutex_;
  Impl *impl_;
  FtpLogin login_;
  FtpAddress address_;
  FtpTimeouts timeouts_;
  std::string caFile_;
  bool connected_ = false;
  bool lost_ = false;
  bool mlsdRefused_ = false;
  int lastCode_ = 0;
};

/// The program's connection to the open remote project's server.
FtpSite &ftpSite();

} // namespace linkmoor
