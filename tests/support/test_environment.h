#pragma once
// The process environment every test program starts from.

namespace linkmoor::test {

/// Removes the proxy settings that libcurl would follow, so that requests to the
/// test servers on 127.0.0.1 never go through a proxy of the machine.
void clearProxyEnvironment();

} // namespace linkmoor::test
