// libcurl is loaded when the program first goes to the network, not when it
// starts. With the thirty libraries it needs, loading it at start takes longer
// than checking a small site, and a check without internet (or the windowed
// program until its first check) never needs it. The libcurl functions the
// program calls are defined here: each loads the library on its first call and
// hands the call on. When the library cannot be loaded, each answers as libcurl
// does when it cannot start: an error code or no handle.
#include <curl/curl.h>

#include <dlfcn.h>

#include <cstdarg>

namespace {

// Each libcurl function the program calls.
#define LINKMOOR_CURL_FUNCTIONS(F)                                                                 \
  F(curl_global_init)                                                                              \
  F(curl_free)                                                                                     \
  F(curl_easy_init)                                                                                \
  F(curl_easy_setopt)                                                                              \
  F(curl_easy_perform)                                                                             \
  F(curl_easy_getinfo)                                                                             \
  F(curl_easy_reset)                                                                               \
  F(curl_easy_cleanup)                                                                             \
  F(curl_easy_escape)                                                                              \
  F(curl_slist_append)                                                                             \
  F(curl_slist_free_all)                                                                           \
  F(curl_multi_init)                                                                               \
  F(curl_multi_add_handle)                                                                         \
  F(curl_multi_remove_handle)                                                                      \
  F(curl_multi_perform)                                                                            \
  F(curl_multi_poll)                                                                               \
  F(curl_multi_wakeup)                                                                             \
  F(curl_multi_info_read)                                                                          \
  F(curl_multi_cleanup)                                                                            \
  F(curl_url)                                                                                      \
  F(curl_url_get)                                                                                  \
  F(curl_url_set)                                                                                  \
  F(curl_url_cleanup)

// The loaded library's functions; all null when it could not be loaded.
struct Library {
#define LINKMOOR_CURL_POINTER(name) decltype(&::name) name = nullptr;
  LINKMOOR_CURL_FUNCTIONS(LINKMOOR_CURL_POINTER)
#undef LINKMOOR_CURL_POINTER
};

Library load() {
  Library library;
  // Kept loaded for the life of the process, as a linked library would be.
  void *handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
  if (!handle) return library;
  bool complete = true;
#define LINKMOOR_CURL_LOOKUP(name)                                                                 \
  library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name));                   \
  complete = complete && library.name != nullptr;
  LINKMOOR_CURL_FUNCTIONS(LINKMOOR_CURL_LOOKUP)
#undef LINKMOOR_CURL_LOOKUP
  // A library without one of them is not the one the program was built for.
  return complete ? library : Library{};
}

const Library &curl() {
  static const Library library = load();
  return library;
}

// Calls the library's function `member` with `args`, or gives `failed` without it.
template <typename Result, typename Function, typename... Args>
Result call(Function Library::*member, Result failed, Args... args) {
  const Function function = curl().*member;
  return function ? function(args...) : failed;
}

template <typename Function, typename... Args>
void callVoid(Function Library::*member, Args... args) {
  if (const Function function = curl().*member) function(args...);
}

} // namespace

// The variadic functions take the enum libcurl declares before the `...`: an enum
// of int size, which the variadic call promotes to nothing wider.
#ifdef __clang__
#pragma clang diagnostic ignored "-Wvarargs"
#endif
static_assert(sizeof(CURLoption) == sizeof(int) && sizeof(CURLINFO) == sizeof(int));

extern "C" {

CURLcode curl_global_init(long flags) {
  return call(&Library::curl_global_init, CURLE_FAILED_INIT, flags);
}

void curl_free(void *p) { callVoid(&Library::curl_free, p); }

CURL *curl_easy_init(void) { return call(&Library::curl_easy_init, static_cast<CURL *>(nullptr)); }

// The one value after the option is read as the option's number says, as libcurl
// reads it: a long, a pointer (object, string, list or function), a curl_off_t
// or a blob pointer.
CURLcode(curl_easy_setopt)(CURL *handle, CURLoption option, ...) {
  const auto setopt = curl().curl_easy_setopt;
  if (!setopt) return CURLE_FAILED_INIT;
  va_list value;
  va_start(value, option);
  CURLcode result;
  if (option < CURLOPTTYPE_OBJECTPOINT)
    result = setopt(handle, option, va_arg(value, long));
  else if (option >= CURLOPTTYPE_OFF_T && option < CURLOPTTYPE_BLOB)
    result = setopt(handle, option, va_arg(value, curl_off_t));
  else
    result = setopt(handle, option, va_arg(value, void *));
  va_end(value);
  return result;
}

CURLcode curl_easy_perform(CURL *handle) {
  return call(&Library::curl_easy_perform, CURLE_FAILED_INIT, handle);
}

// Every piece of information is given back through one pointer.
CURLcode(curl_easy_getinfo)(CURL *handle, CURLINFO info, ...) {
  const auto getinfo = curl().curl_easy_getinfo;
  if (!getinfo) return CURLE_FAILED_INIT;
  va_list value;
  va_start(value, info);
  const CURLcode result = getinfo(handle, info, va_arg(value, void *));
  va_end(value);
  return result;
}

void curl_easy_reset(CURL *handle) { callVoid(&Library::curl_easy_reset, handle); }

void curl_easy_cleanup(CURL *handle) { callVoid(&Library::curl_easy_cleanup, handle); }

char *curl_easy_escape(CURL *handle, const char *text, int length) {
  return call(&Library::curl_easy_escape, static_cast<char *>(nullptr), handle, text, length);
}

curl_slist *curl_slist_append(curl_slist *list, const char *text) {
  return call(&Library::curl_slist_append, static_cast<curl_slist *>(nullptr), list, text);
}

void curl_slist_free_all(curl_slist *list) { callVoid(&Library::curl_slist_free_all, list); }

CURLM *curl_multi_init(void) {
  return call(&Library::curl_multi_init, static_cast<CURLM *>(nullptr));
}

CURLMcode curl_multi_add_handle(CURLM *multi, CURL *handle) {
  return call(&Library::curl_multi_add_handle, CURLM_BAD_HANDLE, multi, handle);
}

CURLMcode curl_multi_remove_handle(CURLM *multi, CURL *handle) {
  return call(&Library::curl_multi_remove_handle, CURLM_BAD_HANDLE, multi, handle);
}

CURLMcode curl_multi_perform(CURLM *multi, int *running) {
  return call(&Library::curl_multi_perform, CURLM_BAD_HANDLE, multi, running);
}

CURLMcode curl_multi_poll(CURLM *multi, curl_waitfd extra[], unsigned int extraCount, int timeoutMs,
                          int *ready) {
  return call(&Library::curl_multi_poll, CURLM_BAD_HANDLE, multi, extra, extraCount, timeoutMs,
              ready);
}

CURLMcode curl_multi_wakeup(CURLM *multi) {
  return call(&Library::curl_multi_wakeup, CURLM_BAD_HANDLE, multi);
}

CURLMsg *curl_multi_info_read(CURLM *multi, int *left) {
  return call(&Library::curl_multi_info_read, static_cast<CURLMsg *>(nullptr), multi, left);
}

CURLMcode curl_multi_cleanup(CURLM *multi) {
  return call(&Library::curl_multi_cleanup, CURLM_BAD_HANDLE, multi);
}

CURLU *curl_url(void) { return call(&Library::curl_url, static_cast<CURLU *>(nullptr)); }

CURLUcode curl_url_get(CURLU *handle, CURLUPart what, char **part, unsigned int flags) {
  return call(&Library::curl_url_get, CURLUE_BAD_HANDLE, handle, what, part, flags);
}

CURLUcode curl_url_set(CURLU *handle, CURLUPart what, const char *part, unsigned int flags) {
  return call(&Library::curl_url_set, CURLUE_BAD_HANDLE, handle, what, part, flags);
}

void curl_url_cleanup(CURLU *handle) { callVoid(&Library::curl_url_cleanup, handle); }

} // extern "C"
