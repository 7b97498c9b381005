#pragma once
// Checks whether a link target on disk exists: a path, or a file URL.

#include <string>

namespace linkmoor {

/// True when `pathOrFileUrl` names a file or folder that can be opened for reading.
/// Accepts a plain path (taken literally, no decoding) or a `file:` URL: `file:///home/x`,
/// `file://localhost/home/x` or `file:/home/x` (scheme and host in any letter case), whose
/// `%XX` escapes are decoded; a URL naming another host is not found. Decoding character
/// references (`&amp;`) and cutting a `#` or `?` part off the target are the caller's work,
/// since a file name may contain those characters. Never blocks: FIFOs, devices and sockets
/// are not opened but count as found when their permissions allow reading.
bool diskTargetExists(const std::string &pathOrFileUrl);

/// The same test for a plain path, taken literally even when it begins with "file:".
bool diskPathExists(const std::string &path);

} // namespace linkmoor
