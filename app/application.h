#pragma once
// The program's start-up: the network library, then the main window until it closes.

#include "app/main_window_services.h"

#include <functional>

class QApplication;

namespace linkmoor {

/// Start-up and end of the windowed program.
class Application {
public:
  /// Starts the network library with `startNetwork`; if that fails shows "Windows sockets
  /// initialization failed." and returns 1 without opening a window. Otherwise runs the
  /// main window on the program's job runner with `services` until it closes and returns
  /// the event loop's result.
  static int run(QApplication &app, const std::function<bool()> &startNetwork,
                 MainWindowServices services);
};

} // namespace linkmoor
