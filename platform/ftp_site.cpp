#include "platform/ftp_site.h"

#include "platform/local_folders.h"
#include "platform/replacing_file.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <utility>

namespace linkmoor {

struct FtpSite::Impl {
  CURL *curl = nullptr;
};

namespace {

void startCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Keeps a curl_slist for the duration of one operation.
struct CommandList {
  curl_slist *list = nullptr;
  explicit CommandList(const char *command) { list = curl_slist_append(nullptr, command); }
  ~CommandList() { curl_slist_free_all(list); }
  CommandList(const CommandList &) = delete;
  CommandList &operator=(const CommandList &) = delete;
};

// Header lines of the control connection; the first "257" answer names the folder.
size_t collectFolder(char *data, size_t size, size_t count, void *user) {
  const size_t bytes = size * count;
  auto *folder = static_cast<std::pair<bool, std::string> *>(user);
  std::string_view line(data, bytes);
  if (folder->first || line.substr(0, 4) != "257 ") return bytes;
  const size_t open = line.find('"');
  if (open == std::string_view::npos) return bytes;
  std::string name;
  for (size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] != '"') {
      name += line[i];
    } else if (i + 1 < line.size() && line[i + 1] == '"') {
      name += '"'; // a doubled quote stands for one
      ++i;
    } else {
      folder->first = true;
      folder->second = name;
      break;
    }
  }
  return bytes;
}

size_t collectText(char *data, size_t size, size_t count, void *user) {
  static_cast<std::string *>(user)->append(data, size * count);
  return size * count;
}

struct DownloadState {
  ReplacingFile *file;
  long long bytes = 0;
  bool writeFailed = false;
};

size_t writeDownload(char *data, size_t size, size_t count, void *user) {
  auto *state = static_cast<DownloadState *>(user);
  const size_t bytes = size * count;
  if (!state->file->write(data, bytes)) {
    state->writeFailed = true;
    return 0;
  }
  state->bytes += static_cast<long long>(bytes);
  return bytes;
}

struct UploadState {
  const std::string *text;
  size_t sent = 0;
  bool started = false;
};

size_t readUpload(char *buffer, size_t size, size_t count, void *user) {
  auto *state = static_cast<UploadState *>(user);
  state->started = true;
  size_t piece = std::min<size_t>({size * count, 1000, state->text->size() - state->sent});
  state->text->copy(buffer, piece, state->sent);
  state->sent += piece;
  return piece;
}

// Escapes each segment of `path`; empty segments stay empty.
std::string escapedPath(CURL *curl, const std::string &path) {
  std::string out;
  size_t start = 0;
  while (true) {
    const size_t slash = path.find('/', start);
    const std::string segment = path.substr(start, slash - start);
    if (!segment.empty()) {
      char *escaped = curl_easy_escape(curl, segment.data(), static_cast<int>(segment.size()));
      if (escaped) out += escaped;
      curl_free(escaped);
    }
    if (slash == std::string::npos) break;
    out += '/';
    start = slash + 1;
  }
  return out;
}

} // namespace

FtpSite::FtpSite() : impl_(new Impl) {}

FtpSite::~FtpSite() {
  close();
  delete impl_;
}

FtpSite &ftpSite() {
  static FtpSite site;
  return site;
}

void FtpSite::setTimeouts(const FtpTimeouts &timeouts) {
  std::lock_guard lock(mutex_);
  timeouts_ = timeouts;
}

void FtpSite::setCaFile(const std::string &path) {
  std::lock_guard lock(mutex_);
  caFile_ = path;
}

void FtpSite::close() {
  std::lock_guard lock(mutex_);
  closeLocked();
}

void FtpSite::closeLocked() {
  if (impl_->curl) curl_easy_cleanup(impl_->curl);
  impl_->curl = nullptr;
  connected_ = false;
  lost_ = false;
  mlsdRefused_ = false;
}

bool FtpSite::connect(const FtpLogin &login) {
  std::lock_guard lock(mutex_);
  return connectLocked(login);
}

bool FtpSite::connectLocked(const FtpLogin &login) {
  closeLocked();
  startCurl();
  login_ = login;
  address_ = parseFtpAddress(login.host, login.port);
  if (address_.host.empty()) return false;
  impl_->curl = curl_easy_init();
  if (!impl_->curl) return false;
  std::string folder;
  long connects = 0;
  if (!askFolder(folder, connects)) {
    closeLocked();
    return false;
  }
  connected_ = true;
  return true;
}

void FtpSite::setCommonOptions() {
  CURL *curl = impl_->curl;
  curl_easy_reset(curl);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_USERNAME, login_.userName.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, login_.password.c_str());
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeouts_.connectMs);
  // The control channel's limit is counted in whole seconds by this libcurl.
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, (timeouts_.responseMs + 999) / 1000);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, (timeouts_.stalledMs + 999) / 1000);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp,sftp");
  if (address_.protocol == FtpProtocol::Sftp) {
    // The server's key is checked against the user's known hosts when there are any.
    if (const char *home = std::getenv("HOME")) {
      const std::string knownHosts = std::string(home) + "/.ssh/known_hosts";
      struct stat info {};
      if (::stat(knownHosts.c_str(), &info) == 0)
        curl_easy_setopt(curl, CURLOPT_SSH_KNOWNHOSTS, knownHosts.c_str());
    }
    return;
  }
  if (!login_.passive) curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
  if (address_.protocol == FtpProtocol::ExplicitTls) {
    // Encrypted or nothing: a server without TLS, or a certificate that does not
    // verify, fails the operation.
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile_.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, caFile_.c_str());
  }
}

std::string FtpSite::urlOf(const std::string &path, bool folder) const {
  std::string url = address_.baseUrl() + "/";
  std::string rest = path;
  if (!rest.empty() && rest[0] == '/') {
    // An absolute server path: FTP needs the root as an escaped first segment.
    if (address_.protocol != FtpProtocol::Sftp) url += "%2F";
    rest.erase(0, 1);
  } else if (address_.protocol == FtpProtocol::Sftp) {
    url += "~/"; // SFTP paths are absolute; "~" is the login folder
  }
  url += escapedPath(impl_->curl, rest);
  if (folder && !url.empty() && url.back() != '/') url += '/';
  return url;
}

bool FtpSite::askFolder(std::string &folder, long &newConnections) {
  setCommonOptions();
  CURL *curl = impl_->curl;
  CommandList pwd(address_.protocol == FtpProtocol::Sftp ? "pwd" : "PWD");
  std::pair<bool, std::string> answer{false, {}};
  const std::string url = urlOf("", true);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
  curl_easy_setopt(curl, CURLOPT_QUOTE, pwd.list);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, collectFolder);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &answer);
  lastCode_ = curl_easy_perform(curl);
  newConnections = 0;
  curl_easy_getinfo(curl, CURLINFO_NUM_CONNECTS, &newConnections);
  curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
  if (lastCode_ != CURLE_OK || !answer.first) return false;
  folder = answer.second;
  return true;
}

bool FtpSite::isConnected() {
  std::lock_guard lock(mutex_);
  if (!connected_ || !impl_->curl || lost_) return false;
  std::string folder;
  long connects = 0;
  const bool answered = askFolder(folder, connects);
  // libcurl reopens a dropped connection without a word; that is a lost connection.
  if (!answered || connects > 0) lost_ = true;
  return !lost_;
}

bool FtpSite::reconnect(const Question &ask) {
  if (ask && !ask(kReconnectQuestion)) return false;
  std::lock_guard lock(mutex_);
  const FtpLogin login = login_;
  return connectLocked(login);
}

bool FtpSite::currentFolder(std::string &folder) {
  std::lock_guard lock(mutex_);
  if (!connected_ || !impl_->curl) return false;
  long connects = 0;
  return askFolder(folder, connects);
}

bool FtpSite::listWith(const std::string &url, bool mlsd, FtpListing &listing) {
  setCommonOptions();
  CURL *curl = impl_->curl;
  std::string text;
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  if (mlsd) curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "MLSD");
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectText);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &text);
  lastCode_ = curl_easy_perform(curl);
  curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, nullptr);
  if (lastCode_ != CURLE_OK) return false;
  listing = mlsd ? parseMlsdListing(text) : parseListListing(text);
  return true;
}

bool FtpSite::listFolder(const std::string &path, FtpListing &listing) {
  std::lock_guard lock(mutex_);
  listing = FtpListing{};
  if (!connected_ || !impl_->curl) return false;
  const std::string url = urlOf(path, true);
  if (address_.protocol == FtpProtocol::Sftp) return listWith(url, false, listing);
  if (!mlsdRefused_) {
    if (listWith(url, true, listing)) return true;
    // A server that does not know MLSD answers 500 or 502; a missing folder answers
    // the CWD before it. Only the former switches to LIST for this connection.
    long answer = 0;
    curl_easy_getinfo(impl_->curl, CURLINFO_RESPONSE_CODE, &answer);
    if (answer != 500 && answer != 502) return false;
    mlsdRefused_ = true;
  }
  return listWith(url, false, listing);
}

bool FtpSite::downloadFile(const std::string &localFolder, const std::string &remotePath,
                           std::string &result, const Progress &progress) {
  if (progress) progress("Downloading file", remotePath);
  std::lock_guard lock(mutex_);
  result.clear();
  if (!makeMirrorFolders(localFolder, remotePath)) {
    result = "create dir";
    return false;
  }
  const std::string target = localFolder + "/" + remotePath;
  ReplacingFile file;
  if (!file.open(target)) {
    result = "create file";
    return false;
  }
  CURLcode code = CURLE_COULDNT_CONNECT;
  DownloadState state{&file};
  if (connected_ && impl_->curl) {
    setCommonOptions();
    CURL *curl = impl_->curl;
    const std::string url = urlOf(remotePath, false);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeDownload);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);
    code = curl_easy_perform(curl);
  }
  lastCode_ = code;
  if (state.writeFailed) {
    result = "write file";
    return false;
  }
  if (code != CURLE_OK) {
    result = "open file";
    // A file that could not be opened leaves an empty local file; a copy broken off
    // midway leaves the former file alone.
    if (state.bytes == 0) file.commit();
    return false;
  }
  if (!file.commit()) {
    result = "create file";
    return false;
  }
  result = std::to_string(state.bytes);
  return true;
}

bool FtpSite::uploadText(const std::string &text, const std::string &remotePath,
                         std::string &result) {
  std::lock_guard lock(mutex_);
  result.clear();
  if (!connected_ || !impl_->curl) {
    result = "open file";
    return false;
  }
  setCommonOptions();
  CURL *curl = impl_->curl;
  UploadState state{&text};
  const std::string url = urlOf(remotePath, false);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, readUpload);
  curl_easy_setopt(curl, CURLOPT_READDATA, &state);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(text.size()));
  lastCode_ = curl_easy_perform(curl);
  if (lastCode_ == CURLE_OK && state.sent == text.size()) return true;
  result = state.started ? "write file" : "open file";
  return false;
}

} // namespace linkmoor
