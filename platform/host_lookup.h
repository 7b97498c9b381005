#pragma once
// Host-name look-up for the site option dialog: the official (canonical) name of a
// host, through getaddrinfo with AI_CANONNAME (thread-safe, unlike gethostbyname).

#include <string>

namespace linkmoor {

/// The host part of a subdomain name: `name` without a trailing ":port" (digits) and,
/// for "[v6]:port" or "[v6]", without the brackets.
std::string hostPartOf(const std::string &name);

/// Looks the host of `name` up (its host part, see hostPartOf). True when it resolves;
/// `officialName` is then the host's official name (the canonical name, or the host
/// part itself when the resolver gives none). False, with `officialName` empty, when it
/// does not resolve or `name` is empty.
bool lookUpHost(const std::string &name, std::string &officialName);

} // namespace linkmoor
