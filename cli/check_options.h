#pragma once
// The command line of linkmoor-check.

#include <string>
#include <vector>

namespace linkmoor::cli {

/// The longest --timeout accepted: one day, in seconds.
inline constexpr long kLongestTimeoutSeconds = 86400;

/// What the user asked for on the command line.
struct CheckOptions {
  std::string root;               ///< the site folder, without a trailing "/"
  std::vector<std::string> files; ///< paths relative to root; empty: every page below root
  bool json = false;              ///< one JSON object per line and file
  bool noInternet = false;        ///< report absolute links as not checked
  std::string remoteSite;         ///< host name the pages are served under (remote mode)
  std::string subdomainPath;      ///< folder of the site that is the web root (remote mode)
  int jobs = 16;                  ///< HTTP checks at a time
  long timeoutSeconds = 60;       ///< connect and stall time-out of one HTTP check
  bool help = false;
  bool version = false;
};

/// Outcome of parsing: either options or a message for stderr.
struct ParseResult {
  bool ok = false;
  CheckOptions options;
  std::string error;
};

/// Parses argv (without the program name).
ParseResult parseCheckOptions(const std::vector<std::string> &args);

/// The text that --help prints.
std::string usageText();

} // namespace linkmoor::cli
