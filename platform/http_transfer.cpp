#include "platform/http_transfer.h"

#include "platform/program_info.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <idn2.h>
#include <strings.h>

namespace linkmoor {

namespace {

// Longest time-out handed to the library: larger values overflow its millisecond sums.
constexpr long kLongestSeconds = 10L * 86400L;

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

long clampSeconds(long seconds) { return std::clamp(seconds, 1L, kLongestSeconds); }

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

bool isWebScheme(const std::string &url) {
  return strncasecmp(url.c_str(), "http://", 7) == 0 ||
         strncasecmp(url.c_str(), "https://", 8) == 0;
}

// The absolute address a Location value names, read against the address that gave it
// (the value as it is when the library cannot read it).
std::string resolveAgainst(const std::string &base, const std::string &location) {
  CURLU *url = curl_url();
  if (!url) return location;
  std::string result = location;
  char *text = nullptr;
  if (curl_url_set(url, CURLUPART_URL, base.c_str(), CURLU_DEFAULT_SCHEME) == CURLUE_OK &&
      curl_url_set(url, CURLUPART_URL, location.c_str(), CURLU_URLENCODE) == CURLUE_OK &&
      curl_url_get(url, CURLUPART_URL, &text, 0) == CURLUE_OK) {
    result = text;
    curl_free(text);
  }
  curl_url_cleanup(url);
  return result;
}

// The authority part of an address ("user@host:port") with an internationalised host
// name in its ASCII form ("xn--..."), as a browser sends it. A name that cannot be
// converted stays as it is (the request then fails as for any bad name).
std::string asciiAuthority(const std::string &authority) {
  const std::size_t at = authority.rfind('@');
  const std::size_t hostBegin = at == std::string::npos ? 0 : at + 1;
  if (hostBegin < authority.size() && authority[hostBegin] == '[') return authority; // IPv6
  std::size_t hostEnd = authority.find(':', hostBegin);
  if (hostEnd == std::string::npos) hostEnd = authority.size();
  const std::string host = authority.substr(hostBegin, hostEnd - hostBegin);
  bool ascii = true;
  for (unsigned char c : host)
    if (c > 127) ascii = false;
  if (ascii) return authority;
  char *converted = nullptr;
  if (idn2_to_ascii_8z(host.c_str(), &converted, IDN2_NONTRANSITIONAL) != IDN2_OK) {
    idn2_free(converted);
    return authority;
  }
  std::string result = authority.substr(0, hostBegin) + converted + authority.substr(hostEnd);
  idn2_free(converted);
  return result;
}

} // namespace

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
  std::string result =
      cleaned.substr(0, hostStart) + asciiAuthority(cleaned.substr(hostStart, hostEnd - hostStart));
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

std::string hostOfAddress(const std::string &address) {
  size_t schemeEnd = address.find("://");
  size_t start = schemeEnd == std::string::npos ? 0 : schemeEnd + 3;
  size_t end = address.find_first_of("/?#", start);
  std::string authority = address.substr(start, end == std::string::npos ? end : end - start);
  if (size_t at = authority.rfind('@'); at != std::string::npos) authority.erase(0, at + 1);
  if (!authority.empty() && authority[0] == '[') {
    size_t close = authority.find(']');
    authority = close == std::string::npos ? authority : authority.substr(0, close + 1);
  } else if (size_t colon = authority.find(':'); colon != std::string::npos) {
    authority.erase(colon);
  }
  for (char &c : authority)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return authority;
}

HttpTransfer::HttpTransfer(const std::string &url, const HttpCheckOptions &options)
    : address_(browserAddress(url)), options_(options) {
  host_ = hostOfAddress(address_);
}

HttpTransfer::~HttpTransfer() {
  if (easy_) curl_easy_cleanup(easy_);
}

size_t HttpTransfer::onHeader(char *data, size_t size, size_t count, void *self) {
  auto *t = static_cast<HttpTransfer *>(self);
  const size_t bytes = size * count;
  t->answered_ = true;
  t->headerBytes_ += static_cast<long>(bytes);
  if (t->headerBytes_ > kMaxHeaderBytes) return 0;
  if (bytes >= 5 && std::memcmp(data, "HTTP/", 5) == 0) {
    t->contentLength_ = -1;
    t->location_.clear();
  }
  static const char where[] = "location:";
  const size_t whereLength = sizeof where - 1;
  if (bytes > whereLength && strncasecmp(data, where, whereLength) == 0) {
    std::string value(data + whereLength, bytes - whereLength);
    const size_t first = value.find_first_not_of(" \t");
    const size_t last = value.find_last_not_of(" \t\r\n");
    t->location_ = first == std::string::npos ? "" : value.substr(first, last - first + 1);
  }
  static const char name[] = "content-length:";
  const size_t nameLength = sizeof name - 1;
  if (bytes > nameLength && strncasecmp(data, name, nameLength) == 0) {
    std::string value(data + nameLength, bytes - nameLength);
    char *end = nullptr;
    long long length = std::strtoll(value.c_str(), &end, 10);
    t->contentLength_ =
        end != value.c_str() && length >= 0 && length < LONG_MAX ? static_cast<long>(length) : -1;
  }
  return bytes;
}

size_t HttpTransfer::onBody(char *, size_t size, size_t count, void *self) {
  auto *t = static_cast<HttpTransfer *>(self);
  const auto bytes = static_cast<long>(size * count);
  // The status is known: a short body is read so that the connection stays usable,
  // anything else ends the transfer here.
  if (t->contentLength_ >= 0 && t->contentLength_ <= kDrainedBodyBytes &&
      t->bodyBytes_ + bytes <= kDrainedBodyBytes) {
    t->bodyBytes_ += bytes;
    return static_cast<size_t>(bytes);
  }
  return 0;
}

int HttpTransfer::onPrerequest(void *self, char *, char *, int, int) {
  auto *t = static_cast<HttpTransfer *>(self);
  t->connected_ = true;
  return CURL_PREREQFUNC_OK;
}

int HttpTransfer::onResolverStart(void *, void *, void *self) {
  auto *t = static_cast<HttpTransfer *>(self);
  if (t->lookupHook_) t->lookupHook_(t->host_);
  return 0;
}

bool HttpTransfer::configureHop(const std::string &address) {
  headerBytes_ = 0;
  bodyBytes_ = 0;
  contentLength_ = -1;
  answered_ = false;
  location_.clear();
  hopAddress_ = address;
  if (address.find('\0') != std::string::npos) return false;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - started_)
                           .count();
  const long long left = clampSeconds(options_.totalTimeoutSeconds) * 1000LL - elapsed;
  if (left <= 0) return false;
  bool ok = curl_easy_setopt(easy_, CURLOPT_URL, address.c_str()) == CURLE_OK;
  ok = ok && curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, static_cast<long>(left)) == CURLE_OK;
  return ok;
}

bool HttpTransfer::start(CURLM *multi) {
  started_ = std::chrono::steady_clock::now();
  if (!initNetwork() || address_.find('\0') != std::string::npos) return false;
  easy_ = curl_easy_init();
  if (!easy_) return false;
  bool ok = true;
  auto set = [&](CURLoption option, auto value) {
    if (curl_easy_setopt(easy_, option, value) != CURLE_OK) ok = false;
  };
  set(CURLOPT_HTTPGET, 1L);
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  set(CURLOPT_DEFAULT_PROTOCOL, "http");
  // Redirects are followed here, hop by hop, so that their bodies are not read.
  set(CURLOPT_FOLLOWLOCATION, 0L);
  set(CURLOPT_USERAGENT, userAgent());
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_CONNECTTIMEOUT, clampSeconds(options_.connectTimeoutSeconds));
  set(CURLOPT_LOW_SPEED_LIMIT, 1L);
  set(CURLOPT_LOW_SPEED_TIME, clampSeconds(options_.stallTimeoutSeconds));
  // Some sites set a cookie and redirect to themselves; a browser would carry the cookie.
  set(CURLOPT_COOKIEFILE, "");
  set(CURLOPT_HEADERFUNCTION, &HttpTransfer::onHeader);
  set(CURLOPT_HEADERDATA, this);
  set(CURLOPT_WRITEFUNCTION, &HttpTransfer::onBody);
  set(CURLOPT_WRITEDATA, this);
  set(CURLOPT_PREREQFUNCTION, &HttpTransfer::onPrerequest);
  set(CURLOPT_PREREQDATA, this);
  set(CURLOPT_RESOLVER_START_FUNCTION, &HttpTransfer::onResolverStart);
  set(CURLOPT_RESOLVER_START_DATA, this);
  if (keepNames_) set(CURLOPT_DNS_CACHE_TIMEOUT, -1L);
  if (!ok || !configureHop(address_)) return false;
  if (curl_multi_add_handle(multi, easy_) != CURLM_OK) return false;
  onMulti_ = true;
  return true;
}

HttpAnswer HttpTransfer::judgeHop(CURLcode rc, bool finished) const {
  if (headerBytes_ > kMaxHeaderBytes) return HttpAnswer::NotOk;
  long status = 0;
  curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
  if (finished && (rc == CURLE_OK || rc == CURLE_WRITE_ERROR) && status > 0)
    return status == 200 ? HttpAnswer::Ok : HttpAnswer::NotOk;
  // A server that answered anything at all exists, whatever went wrong after.
  if (answered_) return HttpAnswer::NotOk;
  if (finished && isNotSent(rc)) return HttpAnswer::NoSite;
  // Time-outs, aborts and unexpected errors: what counts is whether the request went out.
  long sentBytes = 0;
  curl_easy_getinfo(easy_, CURLINFO_REQUEST_SIZE, &sentBytes);
  return sentBytes > 0 ? HttpAnswer::NotOk : HttpAnswer::NoSite;
}

bool HttpTransfer::hopDone(CURLM *multi, CURLcode rc) {
  if (onMulti_) curl_multi_remove_handle(multi, easy_);
  onMulti_ = false;
  long status = 0;
  curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
  const bool statusRead =
      (rc == CURLE_OK || rc == CURLE_WRITE_ERROR) && status > 0 && headerBytes_ <= kMaxHeaderBytes;
  if (statusRead && status >= 300 && status < 400 && status != 304 && !location_.empty()) {
    const std::string next = resolveAgainst(hopAddress_, location_);
    if (redirects_ >= std::max(options_.maxRedirects, 0L) || !isWebScheme(next) ||
        !configureHop(next) || curl_multi_add_handle(multi, easy_) != CURLM_OK) {
      answer_ = HttpAnswer::NotOk;
      return true;
    }
    ++redirects_;
    onMulti_ = true;
    return false;
  }
  answer_ = judgeHop(rc, true);
  hostNotFound_ = redirects_ == 0 && rc == CURLE_COULDNT_RESOLVE_HOST;
  return true;
}

void HttpTransfer::abandon(CURLM *multi) {
  if (!easy_) return;
  if (onMulti_) curl_multi_remove_handle(multi, easy_);
  onMulti_ = false;
  answer_ = judgeHop(CURLE_ABORTED_BY_CALLBACK, false);
}

} // namespace linkmoor
