#include "platform/http_check_pool.h"

#include "platform/http_transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace linkmoor {

namespace {

// Longest sleep of the pool's thread when nothing happens; submissions wake it at once.
constexpr int kIdlePollMs = 1000;

enum class HostState { Unknown, Probing, Known, NotFound };

} // namespace

struct HttpCheckPool::Request {
  std::uint64_t ticket = 0;
  std::string url;
  Done done;
  std::unique_ptr<HttpTransfer> transfer;
  bool probing = false; ///< the first check of its host, which the others wait for
};

// The state only the pool's thread touches.
struct HttpCheckPool::Loop {
  std::deque<std::unique_ptr<Request>> waiting;
  std::unordered_map<std::string, HostState> hosts;
  std::unordered_map<std::string, std::deque<std::unique_ptr<Request>>> parked;
  std::unordered_map<CURL *, std::unique_ptr<Request>> running;
  std::vector<std::pair<Done, HttpAnswer>> finished;
};

HttpCheckPool::HttpCheckPool(HttpPoolOptions options) : options_(std::move(options)) {
  options_.parallel = std::max(options_.parallel, 1);
  initNetwork();
  multi_ = curl_multi_init();
  thread_ = std::thread([this] { run(); });
}

HttpCheckPool::~HttpCheckPool() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  if (multi_) curl_multi_wakeup(static_cast<CURLM *>(multi_));
  thread_.join();
  if (multi_) curl_multi_cleanup(static_cast<CURLM *>(multi_));
}

std::uint64_t HttpCheckPool::submit(const std::string &url, Done done) {
  auto request = std::make_unique<Request>();
  request->url = url;
  request->done = std::move(done);
  std::uint64_t ticket = 0;
  {
    std::lock_guard lock(mutex_);
    ticket = request->ticket = nextTicket_++;
    incoming_.push_back(std::move(request));
  }
  if (multi_) curl_multi_wakeup(static_cast<CURLM *>(multi_));
  return ticket;
}

void HttpCheckPool::cancel(std::uint64_t ticket) { cancel(std::vector<std::uint64_t>{ticket}); }

void HttpCheckPool::cancel(const std::vector<std::uint64_t> &tickets) {
  if (tickets.empty()) return;
  {
    std::lock_guard lock(mutex_);
    cancels_.insert(cancels_.end(), tickets.begin(), tickets.end());
  }
  if (multi_) curl_multi_wakeup(static_cast<CURLM *>(multi_));
}

HttpPoolCounts HttpCheckPool::counts() const {
  std::lock_guard lock(mutex_);
  return counts_;
}

void HttpCheckPool::run() {
  auto *multi = static_cast<CURLM *>(multi_);
  Loop loop;
  auto finish = [&](std::unique_ptr<Request> request, HttpAnswer answer) {
    loop.finished.emplace_back(std::move(request->done), answer);
  };
  // The first check of `host` has told whether its name exists: the checks that
  // waited for it go on, or are answered without a request.
  auto settle = [&](const std::string &host, bool notFound) {
    loop.hosts[host] = notFound ? HostState::NotFound : HostState::Known;
    auto it = loop.parked.find(host);
    if (it == loop.parked.end()) return;
    std::deque<std::unique_ptr<Request>> parked = std::move(it->second);
    loop.parked.erase(it);
    for (auto r = parked.rbegin(); r != parked.rend(); ++r)
      loop.waiting.push_front(std::move(*r));
  };
  auto startMore = [&] {
    while (multi && loop.running.size() < static_cast<std::size_t>(options_.parallel) &&
           !loop.waiting.empty()) {
      std::unique_ptr<Request> request = std::move(loop.waiting.front());
      loop.waiting.pop_front();
      request->transfer = std::make_unique<HttpTransfer>(request->url, options_.check);
      const std::string host = request->transfer->host();
      HostState &state = loop.hosts[host];
      if (!host.empty() && state == HostState::NotFound) {
        std::lock_guard lock(mutex_);
        ++counts_.hostMemoHits;
        finish(std::move(request), HttpAnswer::NoSite);
        continue;
      }
      if (!host.empty() && state == HostState::Probing) {
        loop.parked[host].push_back(std::move(request));
        continue;
      }
      if (!host.empty() && state == HostState::Unknown) {
        state = HostState::Probing;
        request->probing = true;
      }
      request->transfer->keepNames();
      request->transfer->onLookup([this](const std::string &name) {
        {
          std::lock_guard lock(mutex_);
          ++counts_.lookups;
        }
        if (options_.onLookup) options_.onLookup(name);
      });
      if (!request->transfer->start(multi)) {
        if (request->probing) settle(host, false);
        finish(std::move(request), HttpAnswer::NoSite);
        continue;
      }
      {
        std::lock_guard lock(mutex_);
        ++counts_.started;
      }
      CURL *easy = request->transfer->easy();
      loop.running[easy] = std::move(request);
    }
  };
  auto applyCancels = [&](const std::vector<std::uint64_t> &tickets) {
    if (tickets.empty()) return;
    std::unordered_set<std::uint64_t> drop(tickets.begin(), tickets.end());
    std::uint64_t dropped = 0;
    auto dropFrom = [&](std::deque<std::unique_ptr<Request>> &queue) {
      auto end = std::remove_if(queue.begin(), queue.end(),
                                [&](const auto &r) { return drop.count(r->ticket) > 0; });
      dropped += static_cast<std::uint64_t>(queue.end() - end);
      queue.erase(end, queue.end());
    };
    dropFrom(loop.waiting);
    for (auto &[host, queue] : loop.parked)
      dropFrom(queue);
    for (auto it = loop.running.begin(); it != loop.running.end();) {
      if (!drop.count(it->second->ticket)) {
        ++it;
        continue;
      }
      it->second->transfer->abandon(multi);
      // Nobody learnt whether the host exists: the next check of it finds out.
      if (it->second->probing) {
        const std::string host = it->second->transfer->host();
        settle(host, false);
        loop.hosts[host] = HostState::Unknown;
      }
      it = loop.running.erase(it);
      ++dropped;
    }
    std::lock_guard lock(mutex_);
    counts_.cancelled += dropped;
  };

  for (;;) {
    std::vector<std::uint64_t> cancels;
    {
      std::lock_guard lock(mutex_);
      if (closing_) break;
      while (!incoming_.empty()) {
        loop.waiting.push_back(std::move(incoming_.front()));
        incoming_.pop_front();
      }
      cancels.swap(cancels_);
    }
    applyCancels(cancels);
    startMore();
    if (!multi) { // without a multi handle nothing can be checked
      for (auto &request : loop.waiting)
        finish(std::move(request), HttpAnswer::NoSite);
      loop.waiting.clear();
    } else {
      int active = 0;
      curl_multi_perform(multi, &active);
      int left = 0;
      while (CURLMsg *msg = curl_multi_info_read(multi, &left)) {
        if (msg->msg != CURLMSG_DONE) continue;
        auto it = loop.running.find(msg->easy_handle);
        if (it == loop.running.end()) continue;
        HttpTransfer &transfer = *it->second->transfer;
        if (!transfer.hopDone(multi, msg->data.result)) continue;
        if (it->second->probing) settle(transfer.host(), transfer.hostNotFound());
        const HttpAnswer answer = transfer.answer();
        finish(std::move(it->second), answer);
        loop.running.erase(it);
      }
      // A host whose first check has connected is known to exist: its other checks
      // need not wait for the answer.
      for (auto &[easy, request] : loop.running)
        if (request->probing && request->transfer->connected()) {
          request->probing = false;
          settle(request->transfer->host(), false);
        }
    }
    for (auto &[done, answer] : loop.finished)
      if (done) done(answer);
    loop.finished.clear();
    startMore();
    if (multi && loop.finished.empty()) curl_multi_poll(multi, nullptr, 0, kIdlePollMs, nullptr);
  }
  for (auto &[easy, request] : loop.running)
    request->transfer->abandon(multi);
}

} // namespace linkmoor
