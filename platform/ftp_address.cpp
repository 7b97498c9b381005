#include "platform/ftp_address.h"

#include <cctype>
#include <string_view>

namespace linkmoor {

namespace {

std::string trim(const std::string &text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
    ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
    --end;
  return text.substr(begin, end - begin);
}

bool startsWithNoCase(const std::string &text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// A port text of 1 to 5 digits in range, else -1.
int portNumber(const std::string &text) {
  if (text.empty() || text.size() > 5) return -1;
  int port = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    port = port * 10 + (c - '0');
  }
  return port > 0 && port <= 65535 ? port : -1;
}

} // namespace

std::string FtpAddress::baseUrl() const {
  const char *scheme = protocol == FtpProtocol::Sftp ? "sftp://" : "ftp://";
  return scheme + host + ":" + std::to_string(port);
}

FtpAddress parseFtpAddress(const std::string &field, int portField) {
  FtpAddress address;
  std::string rest = trim(field);
  if (startsWithNoCase(rest, "ftps://")) {
    address.protocol = FtpProtocol::ExplicitTls;
    rest.erase(0, 7);
  } else if (startsWithNoCase(rest, "sftp://")) {
    address.protocol = FtpProtocol::Sftp;
    rest.erase(0, 7);
  } else if (startsWithNoCase(rest, "ftp://")) {
    rest.erase(0, 6);
  }
  // The authority ends at the first "/" (backslashes count, as everywhere in the
  // host field).
  const std::size_t slash = rest.find_first_of("/\\");
  if (slash != std::string::npos) rest.erase(slash);
  const std::size_t at = rest.rfind('@');
  if (at != std::string::npos) rest.erase(0, at + 1);

  int port = -1;
  if (!rest.empty() && rest[0] == '[') {
    const std::size_t close = rest.find(']');
    if (close != std::string::npos) {
      if (close + 1 < rest.size() && rest[close + 1] == ':')
        port = portNumber(rest.substr(close + 2));
      rest.erase(close + 1);
    }
  } else {
    const std::size_t colon = rest.rfind(':');
    if (colon != std::string::npos && rest.find(':') == colon) {
      port = portNumber(rest.substr(colon + 1));
      rest.erase(colon);
    }
  }
  address.host = rest;
  if (port > 0) {
    address.port = port;
  } else {
    address.port = portField;
    if (address.protocol == FtpProtocol::Sftp && portField == 21) address.port = 22;
  }
  return address;
}

} // namespace linkmoor
