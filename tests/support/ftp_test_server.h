#pragma once
// FTP servers for tests, all on 127.0.0.1 only: Debian's pyftpdlib (plain FTP) and
// vsftpd (FTP with explicit TLS, needs root), each started as a child process on a
// free port and stopped by the destructor; and a listener that accepts connections
// and never says a word.

#include <atomic>
#include <string>
#include <sys/types.h>
#include <thread>

namespace linkmoor::test {

/// A port on 127.0.0.1 that nothing uses right now.
int freeLocalPort();

/// pyftpdlib serving `root` for the user "tester" with the password "secret".
class PyFtpServer {
public:
  /// Starts the server; `mlsd` false makes it answer MLSD with 500, as old servers do.
  /// Throws std::runtime_error when it does not come up.
  explicit PyFtpServer(const std::string &root, bool mlsd = true);
  /// Stops the server.
  ~PyFtpServer();
  PyFtpServer(const PyFtpServer &) = delete;
  PyFtpServer &operator=(const PyFtpServer &) = delete;

  /// The port it listens on (kept across `restart`).
  int port() const { return port_; }
  /// Ends the process (its connections die with it). Safe to call twice.
  void stop();
  /// Starts it again on the same port; true when it listens.
  bool start();

private:
  std::string root_;
  bool mlsd_;
  int port_;
  pid_t pid_ = -1;
};

/// vsftpd with TLS forced for login and data, serving the home folder of a local user
/// that it creates (and deletes again). Needs root and /usr/sbin/vsftpd.
class VsftpdServer {
public:
  /// Why vsftpd cannot run here ("" when it can).
  static std::string unavailableReason();
  /// Makes a certificate for localhost and 127.0.0.1, the user and the configuration
  /// under `workFolder`, and starts the server. Throws std::runtime_error on failure.
  explicit VsftpdServer(const std::string &workFolder);
  /// Stops the server and deletes the user.
  ~VsftpdServer();
  VsftpdServer(const VsftpdServer &) = delete;
  VsftpdServer &operator=(const VsftpdServer &) = delete;

  /// The port it listens on.
  int port() const { return port_; }
  /// The user's name and password.
  const std::string &user() const { return user_; }
  /// The password.
  const std::string &password() const { return password_; }
  /// The folder the user logs into.
  const std::string &home() const { return home_; }
  /// The server's certificate (PEM), for the client as its trusted CA file.
  const std::string &certificate() const { return certificate_; }

private:
  void cleanUp();

  int port_ = 0;
  pid_t pid_ = -1;
  std::string user_;
  std::string password_ = "Secret-42";
  std::string home_;
  std::string certificate_;
  bool userMade_ = false;
};

/// A listener on 127.0.0.1 that accepts connections and never sends anything.
class SilentListener {
public:
  /// Binds and starts accepting.
  SilentListener();
  /// Closes every accepted connection and the listener.
  ~SilentListener();
  SilentListener(const SilentListener &) = delete;
  SilentListener &operator=(const SilentListener &) = delete;

  /// Its port.
  int port() const { return port_; }
  /// How many connections it accepted so far.
  int accepted() const { return accepted_; }

private:
  int socket_ = -1;
  int wake_[2] = {-1, -1};
  int port_ = 0;
  std::atomic<int> accepted_{0};
  std::thread thread_;
};

} // namespace linkmoor::test
