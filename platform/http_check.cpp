#include "platform/http_check.h"

#include "platform/http_transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace linkmoor {

namespace {

// How often, in milliseconds, the abort function is asked while waiting on the network.
constexpr int kAbortPollMs = 100;

struct MultiDeleter {
  void operator()(CURLM *multi) const { curl_multi_cleanup(multi); }
};

} // namespace

bool initNetwork() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] { started = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  return started;
}

HttpAnswer httpCheck(const std::string &url, const HttpCheckOptions &options) {
  if (!initNetwork()) return HttpAnswer::NoSite;
  if (options.abort && options.abort()) return HttpAnswer::NoSite;
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi) return HttpAnswer::NoSite;
  HttpTransfer transfer(url, options);
  if (!transfer.start(multi.get())) return HttpAnswer::NoSite;

  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    int left = 0;
    bool over = false;
    while (CURLMsg *msg = curl_multi_info_read(multi.get(), &left))
      if (msg->msg == CURLMSG_DONE && msg->easy_handle == transfer.easy())
        over = transfer.hopDone(multi.get(), msg->data.result);
    if (over) return transfer.answer();
    if (options.abort && options.abort()) break;
    if (curl_multi_poll(multi.get(), nullptr, 0, kAbortPollMs, nullptr) != CURLM_OK) break;
  }
  transfer.abandon(multi.get());
  return transfer.answer();
}

} // namespace linkmoor
