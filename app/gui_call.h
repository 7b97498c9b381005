#pragma once
// The one road from the worker thread to the widgets: run a function on the GUI
// thread and wait until it has run. Every widget call a job makes goes through it.

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace linkmoor {

/// Runs `fn` on the GUI thread and returns when it has finished. On the GUI thread itself
/// `fn` runs at once. Without a QApplication `fn` also runs at once, on the caller's thread.
void guiCall(const std::function<void()> &fn);

/// True when the caller runs on the GUI thread (or no QApplication exists).
bool onGuiThread();

/// Debug builds: ends the program with a message naming `where` when called off the GUI
/// thread. Widget code that a job reaches calls it before touching a widget, so a job
/// that bypasses guiCall fails at once instead of racing. Release builds: nothing.
#ifdef NDEBUG
inline void assertGuiThread(const char *) {}
#else
void assertGuiThread(const char *where);
#endif

/// `guiCall` for a function with a result: returns what `fn` returned on the GUI thread.
template <class F> auto guiResult(F &&fn) -> std::invoke_result_t<F> {
  using Result = std::invoke_result_t<F>;
  if constexpr (std::is_void_v<Result>) {
    guiCall(std::forward<F>(fn));
  } else {
    std::optional<Result> result;
    guiCall([&] { result.emplace(fn()); });
    return std::move(*result);
  }
}

} // namespace linkmoor
