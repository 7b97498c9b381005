#pragma once
// The general options of the program, one record per run: read from the settings file
// when the main window opens and written back when it closes.

namespace linkmoor {

/// The options of the "General options" sheet.
struct GeneralOptions {
  /// Line ending of edited files: 0 Windows (CR LF), 1 Unix (LF).
  int lineEnding = 0;
};

/// The program's general options.
GeneralOptions &generalOptions();

} // namespace linkmoor
