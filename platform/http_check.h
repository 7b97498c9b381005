#pragma once
// Checks whether a web address can be fetched: one GET request over libcurl,
// redirects followed, the body not read past the status line.

#include <functional>
#include <string>

namespace linkmoor {

/// What one HTTP check found.
enum class HttpAnswer {
  Ok,     ///< The final answer had status 200.
  NoSite, ///< The request could not be made or sent.
  NotOk,  ///< The server answered with another status, or no status could be read.
};

/// Limits of one HTTP check. The defaults are those of a desktop web client; time-outs
/// below 1 s are taken as 1 s and a negative redirect count as 0.
struct HttpCheckOptions {
  /// Longest wait for the connection (name look-up, TCP and TLS set-up).
  long connectTimeoutSeconds = 60;
  /// The check gives up when less than one byte a second arrives for this long.
  long stallTimeoutSeconds = 60;
  /// Longest time for the whole check: a server that trickles its answer a byte at a
  /// time must not hold a check for hours.
  long totalTimeoutSeconds = 300;
  /// Redirects followed before the answer counts as final.
  long maxRedirects = 20;
  /// Polled about ten times a second while the check runs; when it returns true the check
  /// ends at once with the result it has reached (NoSite before the request went out, else
  /// NotOk).
  /// The caller, which knows it asked to stop, usually discards that result.
  std::function<bool()> abort;
};

/// Starts the network library once for the whole process; later calls return the first
/// outcome. Safe to call from several threads. False when the library cannot start.
bool initNetwork();

/// Fetches `url` with one GET request and tells what a browser would have found:
/// Ok when the final answer (after at most `maxRedirects` redirects) has status 200;
/// NoSite when the request could not be made or sent (malformed address, a scheme other than
/// http and https, unknown host, connection refused or timed out, TLS failure);
/// NotOk for any other final status, or when no status could be read.
/// The scheme and port are taken as written. Blanks, control bytes and bytes above 127
/// in the path and query are sent percent-encoded, as a browser does; leading and trailing
/// blanks and any tab, carriage return or line feed are dropped; the `#` part is not sent.
/// Character references (`&amp;`) are not decoded here: the caller passes the address as
/// a browser would see it. Proxies come from the usual environment variables (http_proxy,
/// https_proxy, no_proxy). Safe to call from several threads at once.
HttpAnswer httpCheck(const std::string &url, const HttpCheckOptions &options = {});

} // namespace linkmoor
