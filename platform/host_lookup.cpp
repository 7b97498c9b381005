#include "platform/host_lookup.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/types.h>

namespace linkmoor {

std::string hostPartOf(const std::string &name) {
  if (!name.empty() && name.front() == '[') {
    const std::size_t close = name.find(']');
    return close == std::string::npos ? name : name.substr(1, close - 1);
  }
  const std::size_t colon = name.rfind(':');
  // One colon followed by digits only: a port. More colons: a bare IPv6 address.
  if (colon == std::string::npos || name.find(':') != colon || colon + 1 == name.size())
    return name;
  for (std::size_t i = colon + 1; i < name.size(); ++i)
    if (name[i] < '0' || name[i] > '9') return name;
  return name.substr(0, colon);
}

bool lookUpHost(const std::string &name, std::string &officialName) {
  officialName.clear();
  const std::string host = hostPartOf(name);
  if (host.empty()) return false;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_CANONNAME;
  addrinfo *found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
  officialName = found->ai_canonname && *found->ai_canonname ? found->ai_canonname : host;
  freeaddrinfo(found);
  return true;
}

} // namespace linkmoor
