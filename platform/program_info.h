#pragma once
// The program's name and version, as sent to web servers and shown to users.

namespace linkmoor {

/// "Linkmoor".
const char *programName();
/// The version, e.g. "0.1.0".
const char *programVersion();
/// "Linkmoor/<version>": the HTTP user agent.
const char *userAgent();

} // namespace linkmoor
