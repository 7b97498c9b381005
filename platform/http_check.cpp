#include "platform/http_check.h"

#include "platform/program_info.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace linkmoor {

namespace {

constexpr HttpAnswer kFound = HttpAnswer::Ok;
constexpr HttpAnswer kSiteMissing = HttpAnswer::NoSite;
constexpr HttpAnswer kFileMissing = HttpAnswer::NotOk;
// How often, in milliseconds, the abort function is asked while waiting on the network.
constexpr int kAbortPollMs = 100;

struct EasyDeleter {
  void operator()(CURL *easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM *multi) const { curl_multi_cleanup(multi); }
};

// Bytes a browser percent-encodes in a path or query before sending it.
bool mustEncode(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  switch (c) {
  case '"':
  case '<':
  case '>':
  case '`':
  case '{':
  case '}':
  case '|':
  case '^':
    return true;
  default:
    return false;
  }
}

bool isBlankOrControl(unsigned char c) { return c <= 0x20; }

// Turns a link value into the address a browser would request: outer blanks and control
// bytes trimmed, tab/CR/LF removed, the fragment dropped, unsafe bytes of the path and
// query percent-encoded (a '%' stays as it is, escapes already written are kept). The
// scheme and the host part stay as written.
std::string browserAddress(const std::string &url) {
  size_t first = 0;
  size_t last = url.size();
  while (first < last && isBlankOrControl(static_cast<unsigned char>(url[first])))
    ++first;
  while (last > first && isBlankOrControl(static_cast<unsigned char>(url[last - 1])))
    --last;

  std::string cleaned;
  cleaned.reserve(last - first);
  for (size_t i = first; i < last; ++i) {
    char c = url[i];
    if (c == '\t' || c == '\r' || c == '\n') continue;
    if (c == '#') break;
    cleaned += c;
  }

  size_t schemeEnd = cleaned.find("://");
  size_t hostStart = schemeEnd == std::string::npos ? 0 : schemeEnd + 3;
  size_t hostEnd = cleaned.find_first_of("/?", hostStart);
  if (hostEnd == std::string::npos) return cleaned;

  static const char digits[] = "0123456789ABCDEF";
  std::string result = cleaned.substr(0, hostEnd);
  result.reserve(cleaned.size() + 16);
  for (size_t i = hostEnd; i < cleaned.size(); ++i) {
    auto c = static_cast<unsigned char>(cleaned[i]);
    if (mustEncode(c)) {
      result += '%';
      result += digits[c >> 4];
      result += digits[c & 0x0F];
    } else {
      result += static_cast<char>(c);
    }
  }
  return result;
}

// The status is known once the first body bytes arrive: stop the transfer there.
size_t stopAtBody(char *, size_t, size_t, void *) { return 0; }

// Failures that mean the request never reached a server that could answer it, also when
// they happen on the way to a redirect's target. Others (an unsupported protocol is also
// how an answer that is not HTTP shows) are judged by whether anything was sent.
bool isNotSent(CURLcode rc) {
  switch (rc) {
  case CURLE_FAILED_INIT:
  case CURLE_URL_MALFORMAT:
  case CURLE_NOT_BUILT_IN:
  case CURLE_COULDNT_RESOLVE_PROXY:
  case CURLE_COULDNT_RESOLVE_HOST:
  case CURLE_COULDNT_CONNECT:
  case CURLE_OUT_OF_MEMORY:
  case CURLE_SSL_CONNECT_ERROR:
  case CURLE_BAD_FUNCTION_ARGUMENT:
  case CURLE_INTERFACE_FAILED:
  case CURLE_SSL_ENGINE_NOTFOUND:
  case CURLE_SSL_ENGINE_SETFAILED:
  case CURLE_SEND_ERROR:
  case CURLE_SSL_CERTPROBLEM:
  case CURLE_SSL_CIPHER:
  case CURLE_PEER_FAILED_VERIFICATION:
  case CURLE_USE_SSL_FAILED:
  case CURLE_SSL_ENGINE_INITFAILED:
  case CURLE_SSL_CACERT_BADFILE:
  case CURLE_SSL_SHUTDOWN_FAILED:
  case CURLE_SSL_CRL_BADFILE:
  case CURLE_SSL_ISSUER_ERROR:
  case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
  case CURLE_SSL_INVALIDCERTSTATUS:
  case CURLE_QUIC_CONNECT_ERROR:
  case CURLE_PROXY:
  case CURLE_SSL_CLIENTCERT:
    return true;
  default:
    return false;
  }
}

HttpAnswer classify(CURL *easy, CURLcode rc, bool finished) {
  long status = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  long sentBytes = 0;
  curl_easy_getinfo(easy, CURLINFO_REQUEST_SIZE, &sentBytes);
  if (finished && (rc == CURLE_OK || rc == CURLE_WRITE_ERROR) && status > 0)
    return status == 200 ? kFound : kFileMissing;
  if (finished && isNotSent(rc)) return kSiteMissing;
  // Time-outs, aborts and unexpected errors: what counts is whether the request went out.
  return sentBytes > 0 ? kFileMissing : kSiteMissing;
}

bool configure(CURL *easy, const std::string &address, const HttpCheckOptions &options) {
  bool ok = true;
  auto set = [&](CURLoption option, auto value) {
    if (curl_easy_setopt(easy, option, value) != CURLE_OK) ok = false;
  };
  set(CURLOPT_URL, address.c_str());
  set(CURLOPT_HTTPGET, 1L);
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  set(CURLOPT_DEFAULT_PROTOCOL, "http");
  set(CURLOPT_FOLLOWLOCATION, 1L);
  set(CURLOPT_MAXREDIRS, std::max(options.maxRedirects, 0L));
  set(CURLOPT_USERAGENT, userAgent());
  set(CURLOPT_NOSIGNAL, 1L);
  // Zero would mean "no limit" to the library: never wait without end.
  set(CURLOPT_CONNECTTIMEOUT, std::max(options.connectTimeoutSeconds, 1L));
  set(CURLOPT_LOW_SPEED_LIMIT, 1L);
  set(CURLOPT_LOW_SPEED_TIME, std::max(options.stallTimeoutSeconds, 1L));
  set(CURLOPT_TIMEOUT, std::max(options.totalTimeoutSeconds, 1L));
  // Some sites set a cookie and redirect to themselves; a browser would carry the cookie.
  set(CURLOPT_COOKIEFILE, "");
  set(CURLOPT_WRITEFUNCTION, &stopAtBody);
  return ok;
}

} // namespace

bool initNetwork() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] { started = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  return started;
}

HttpAnswer httpCheck(const std::string &url, const HttpCheckOptions &options) {
  if (!initNetwork()) return kSiteMissing;
  // An address with a zero byte cannot be handed to the library intact.
  if (url.find('\0') != std::string::npos) return kSiteMissing;
  if (options.abort && options.abort()) return kSiteMissing;

  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!easy || !multi) return kSiteMissing;
  std::string address = browserAddress(url);
  if (!configure(easy.get(), address, options)) return kSiteMissing;
  if (curl_multi_add_handle(multi.get(), easy.get()) != CURLM_OK) return kSiteMissing;

  bool finished = false;
  CURLcode rc = CURLE_OK;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    if (running == 0) {
      int left = 0;
      while (CURLMsg *msg = curl_multi_info_read(multi.get(), &left)) {
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy.get()) {
          rc = msg->data.result;
          finished = true;
        }
      }
      break;
    }
    if (options.abort && options.abort()) break;
    if (curl_multi_poll(multi.get(), nullptr, 0, kAbortPollMs, nullptr) != CURLM_OK) break;
  }

  const HttpAnswer result = classify(easy.get(), rc, finished);
  curl_multi_remove_handle(multi.get(), easy.get());
  return result;
}

} // namespace linkmoor
