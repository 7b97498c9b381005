#include "cli/check_options.h"

#include <charconv>

namespace linkmoor::cli {

namespace {

bool parsePositive(const std::string &text, long &out) {
  long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value <= 0) return false;
  out = value;
  return true;
}

std::string withoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

} // namespace

std::string usageText() {
  return "Usage: linkmoor-check [options] ROOT [FILE...]\n"
         "Checks the HTML pages below ROOT (or the FILEs given, relative to ROOT)\n"
         "for markup errors and broken links.\n"
         "\n"
         "Options:\n"
         "  --json                    one JSON object per line and file\n"
         "  --remote-site NAME        ROOT is the mirror of a site served on host NAME\n"
         "  --subdomain-path P        the folder of that site that is its web root\n"
         "  --no-internet             do not request absolute links; count them as not checked\n"
         "  --jobs N                  HTTP checks at a time (default 16)\n"
         "  --timeout S               connect and stall time-out of one check in seconds (default "
         "60)\n"
         "  --help                    show this text\n"
         "  --version                 show the version\n"
         "\n"
         "Exit status: 0 no problem found, 1 syntax errors or broken links found,\n"
         "2 bad usage, ROOT unreadable or out of memory.\n";
}

ParseResult parseCheckOptions(const std::vector<std::string> &args) {
  ParseResult result;
  CheckOptions &o = result.options;
  std::vector<std::string> positional;
  bool subdomainPathGiven = false;
  auto fail = [&](std::string message) {
    result.ok = false;
    result.error = std::move(message);
    return result;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string &a = args[i];
    auto value = [&](std::string &out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--no-internet") {
      o.noInternet = true;
    } else if (a == "--remote-site") {
      if (!value(o.remoteSite) || o.remoteSite.empty())
        return fail("--remote-site needs a host name");
    } else if (a == "--subdomain-path") {
      if (!value(o.subdomainPath)) return fail("--subdomain-path needs a folder");
      subdomainPathGiven = true;
    } else if (a == "--jobs" || a == "--timeout") {
      std::string text;
      long number = 0;
      if (!value(text) || !parsePositive(text, number))
        return fail(a + " needs a positive whole number");
      if (a == "--jobs") {
        if (number > 256) return fail("--jobs takes at most 256");
        o.jobs = static_cast<int>(number);
      } else {
        // Longer limits mean nothing for a link check, and five times the value (the
        // limit of a whole check) must stay a sane number of seconds.
        if (number > kLongestTimeoutSeconds)
          return fail("--timeout takes at most " + std::to_string(kLongestTimeoutSeconds) +
                      " seconds (one day)");
        o.timeoutSeconds = number;
      }
    } else if (a == "--") {
      positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    } else if (a.size() > 1 && a[0] == '-') {
      return fail("unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  if (o.help || o.version) {
    result.ok = true;
    return result;
  }
  if (positional.empty()) return fail("missing ROOT");
  if (subdomainPathGiven && o.remoteSite.empty())
    return fail("--subdomain-path needs --remote-site");
  o.root = withoutTrailingSlashes(positional[0]);
  o.files.assign(positional.begin() + 1, positional.end());
  result.ok = true;
  return result;
}

} // namespace linkmoor::cli
