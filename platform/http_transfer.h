#pragma once
// One HTTP check as a libcurl transfer on a multi handle: a GET whose redirects are
// followed hop by hop on the same handle, so that no body (not even a redirect's)
// is read past a few kilobytes, and whose outcome is judged by whether a server
// answered. Used by httpCheck and by HttpCheckPool.

#include "platform/http_check.h"

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <string>

namespace linkmoor {

/// Bodies up to this size (by their Content-Length) are read to their end so that the
/// connection can carry the next request; any other body is cut at its first byte.
inline constexpr long kDrainedBodyBytes = 16 * 1024;
/// Response headers beyond this size end the check: the server answered, its answer
/// is not a page anyone can open.
inline constexpr long kMaxHeaderBytes = 256 * 1024;

/// The address a browser would request for `url`: outer blanks and control bytes
/// trimmed, tab/CR/LF removed, the fragment dropped, unsafe bytes of the path and
/// query percent-encoded. The scheme and host stay as written.
std::string browserAddress(const std::string &url);

/// The lower-case host name of a browser address (without port or user), or "" when
/// none can be read from it.
std::string hostOfAddress(const std::string &address);

/// One check: configure, add to a multi handle, and feed it the results of its hops.
class HttpTransfer {
public:
  /// A check of `url` with `options` (its abort function is not used here).
  HttpTransfer(const std::string &url, const HttpCheckOptions &options);
  ~HttpTransfer();
  HttpTransfer(const HttpTransfer &) = delete;
  HttpTransfer &operator=(const HttpTransfer &) = delete;

  /// Called on the thread that drives the multi handle whenever the library starts a
  /// name look-up for this check (not for names it has cached).
  void onLookup(std::function<void(const std::string &host)> hook) {
    lookupHook_ = std::move(hook);
  }
  /// Keeps looked-up names for the life of the multi handle instead of a minute.
  void keepNames() { keepNames_ = true; }

  /// Adds the first hop to `multi`; false when the check cannot start (its answer is
  /// then NoSite and it is not on the multi).
  bool start(CURLM *multi);
  /// The handle on the multi while the check runs.
  CURL *easy() const { return easy_; }
  /// The result `rc` of the hop of `easy()`: true when the check is over (read
  /// `answer`); false when it went on to the redirect's target on `multi`.
  bool hopDone(CURLM *multi, CURLcode rc);
  /// Ends a check that is still on `multi` without waiting for it; its answer says
  /// whether the request had gone out.
  void abandon(CURLM *multi);

  /// The outcome once the check is over.
  HttpAnswer answer() const { return answer_; }
  /// True when the check ended because the first host's name could not be found.
  bool hostNotFound() const { return hostNotFound_; }
  /// The host of the address asked for (lower case; "" when none could be read).
  const std::string &host() const { return host_; }
  /// True once a connection for the first hop was made (its name was found).
  bool connected() const { return connected_; }

private:
  bool configureHop(const std::string &address);
  HttpAnswer judgeHop(CURLcode rc, bool finished) const;
  static size_t onHeader(char *data, size_t size, size_t count, void *self);
  static size_t onBody(char *data, size_t size, size_t count, void *self);
  static int onPrerequest(void *self, char *, char *, int, int);
  static int onResolverStart(void *, void *, void *self);

  std::string address_;
  std::string host_;
  HttpCheckOptions options_;
  CURL *easy_ = nullptr;
  bool onMulti_ = false;
  bool keepNames_ = false;
  std::function<void(const std::string &)> lookupHook_;
  std::chrono::steady_clock::time_point started_;
  long redirects_ = 0;
  // Per hop:
  long headerBytes_ = 0;
  long bodyBytes_ = 0;
  long contentLength_ = -1;
  std::string location_;   ///< the Location header of the hop's answer
  std::string hopAddress_; ///< the address the hop asked for
  bool answered_ = false;
  // Outcome:
  bool connected_ = false;
  bool hostNotFound_ = false;
  HttpAnswer answer_ = HttpAnswer::NoSite;
};

} // namespace linkmoor
