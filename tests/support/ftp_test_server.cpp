#include "support/ftp_test_server.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace linkmoor::test {

namespace {

const char kPyFtpScript[] = R"(import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
port, root, mlsd = int(sys.argv[1]), sys.argv[2], sys.argv[3] == '1'
authorizer = DummyAuthorizer()
authorizer.add_user('tester', 'secret', root, perm='elradfmwMT')
class Handler(FTPHandler):
    pass
Handler.authorizer = authorizer
Handler.auth_failed_timeout = 0
Handler.unicode_errors = 'surrogateescape'
if not mlsd:
    Handler.proto_cmds = {k: v for k, v in FTPHandler.proto_cmds.items() if k != 'MLSD'}
FTPServer(('127.0.0.1', port), Handler).serve_forever(timeout=0.2)
)";

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

bool listening(int port) {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = loopback(port);
  const bool ok = connect(s, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
  close(s);
  return ok;
}

// Starts `argv` with its output thrown away; returns the process id or -1.
pid_t spawn(const std::vector<std::string> &argv) {
  // Everything that allocates happens before the fork: the test program has threads.
  std::vector<char *> args;
  for (const std::string &arg : argv)
    args.push_back(const_cast<char *>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int null = open("/dev/null", O_RDWR);
  dup2(null, 0);
  dup2(null, 1);
  dup2(null, 2);
  execv(args[0], args.data());
  _exit(127);
}

// Waits until `port` accepts connections while `pid` lives; a generous bound.
bool waitListening(pid_t pid, int port) {
  for (int round = 0; round < 300; ++round) {
    if (listening(port)) return true;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

void endProcess(pid_t &pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  for (int round = 0; round < 100 && waitpid(pid, &status, WNOHANG) == 0; ++round)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  pid = -1;
}

int run(const std::string &command) { return std::system(command.c_str()); }

} // namespace

int freeLocalPort() {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = loopback(0);
  bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address);
  socklen_t size = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr *>(&address), &size);
  close(s);
  return ntohs(address.sin_port);
}

PyFtpServer::PyFtpServer(const std::string &root, bool mlsd)
    : root_(root), mlsd_(mlsd), port_(freeLocalPort()) {
  if (!start()) throw std::runtime_error("pyftpdlib did not start");
}

PyFtpServer::~PyFtpServer() { stop(); }

bool PyFtpServer::start() {
  stop();
  pid_ = spawn(
      {"/usr/bin/python3", "-c", kPyFtpScript, std::to_string(port_), root_, mlsd_ ? "1" : "0"});
  if (pid_ > 0 && waitListening(pid_, port_)) return true;
  stop();
  return false;
}

void PyFtpServer::stop() { endProcess(pid_); }

std::string VsftpdServer::unavailableReason() {
  if (geteuid() != 0) return "vsftpd tests need root (to start vsftpd and make a local user)";
  if (access("/usr/sbin/vsftpd", X_OK) != 0)
    return "vsftpd is not installed (apt-get install vsftpd)";
  if (access("/usr/bin/openssl", X_OK) != 0) return "openssl is not installed";
  return {};
}

VsftpdServer::VsftpdServer(const std::string &workFolder) {
  namespace fs = std::filesystem;
  const std::string reason = unavailableReason();
  if (!reason.empty()) throw std::runtime_error(reason);
  // The user must reach its home: the work folder is opened for others to pass.
  chmod(workFolder.c_str(), 0755);
  user_ = "lmftp" + std::to_string(getpid());
  home_ = workFolder + "/home";
  const std::string empty = workFolder + "/empty";
  fs::create_directories(home_);
  fs::create_directories(empty);
  certificate_ = workFolder + "/cert.pem";
  const std::string key = workFolder + "/key.pem";
  if (run("/usr/bin/openssl req -x509 -nodes -newkey rsa:2048 -days 2 -subj /CN=localhost "
          "-addext subjectAltName=DNS:localhost,IP:127.0.0.1 -keyout '" +
          key + "' -out '" + certificate_ + "' >/dev/null 2>&1") != 0)
    throw std::runtime_error("openssl could not make a certificate");
  run("userdel " + user_ + " >/dev/null 2>&1");
  if (run("useradd -M -s /bin/sh -d '" + home_ + "' " + user_ + " >/dev/null 2>&1") != 0)
    throw std::runtime_error("useradd failed");
  userMade_ = true;
  if (run("echo '" + user_ + ":" + password_ + "' | chpasswd") != 0 ||
      run("chown " + user_ + " '" + home_ + "'") != 0) {
    cleanUp();
    throw std::runtime_error("chpasswd or chown failed");
  }
  port_ = freeLocalPort();
  const int pasv = freeLocalPort();
  const std::string config = workFolder + "/vsftpd.conf";
  {
    std::ofstream out(config);
    out << "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=" << port_
        << "\nlocal_enable=YES\nwrite_enable=YES\nanonymous_enable=NO\nssl_enable=YES\n"
           "force_local_logins_ssl=YES\nforce_local_data_ssl=YES\nrequire_ssl_reuse=NO\n"
           "rsa_cert_file="
        << certificate_ << "\nrsa_private_key_file=" << key
        << "\npasv_enable=YES\npasv_address=127.0.0.1\npasv_min_port=" << pasv
        << "\npasv_max_port=" << pasv
        << "\nconnect_from_port_20=NO\nbackground=NO\nseccomp_sandbox=NO\n"
           "secure_chroot_dir="
        << empty << "\npam_service_name=vsftpd\n";
  }
  chmod(config.c_str(), 0600);
  pid_ = spawn({"/usr/sbin/vsftpd", config});
  if (pid_ <= 0 || !waitListening(pid_, port_)) {
    cleanUp();
    throw std::runtime_error("vsftpd did not start");
  }
}

VsftpdServer::~VsftpdServer() { cleanUp(); }

void VsftpdServer::cleanUp() {
  endProcess(pid_);
  if (userMade_) run("userdel " + user_ + " >/dev/null 2>&1");
  userMade_ = false;
}

SilentListener::SilentListener() {
  socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = loopback(0);
  if (bind(socket_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
      listen(socket_, 8) != 0 || pipe(wake_) != 0)
    throw std::runtime_error("no listener");
  socklen_t size = sizeof address;
  getsockname(socket_, reinterpret_cast<sockaddr *>(&address), &size);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] {
    std::vector<int> held;
    while (true) {
      pollfd fds[2] = {{socket_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
      if (poll(fds, 2, -1) < 0) continue;
      if (fds[1].revents) break;
      const int client = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client >= 0) {
        held.push_back(client);
        ++accepted_;
      }
    }
    for (int client : held)
      close(client);
  });
}

SilentListener::~SilentListener() {
  if (write(wake_[1], "x", 1) < 0) {
  }
  thread_.join();
  close(socket_);
  close(wake_[0]);
  close(wake_[1]);
}

} // namespace linkmoor::test
