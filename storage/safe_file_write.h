#pragma once
// Replacing a file's content so that it is never left half written: the new
// bytes go to a temporary file beside the target, which is flushed to the disk
// and then renamed over the target in one step.

#include <string>
#include <string_view>

namespace linkmoor {

/// Writes `bytes` as the whole content of `path`, atomically.
///
/// The bytes are written to a new file with a unique name in the target's
/// folder, flushed to the disk, given the target's permission bits (and, when
/// allowed, its owner and group) and renamed over the target. A symbolic link
/// is followed, so the file it points to is replaced and the link kept. A file
/// the user may not write is refused, as is a target that is not a regular
/// file. A new file gets the usual mode 0666 less the umask.
///
/// Returns false on any failure; the temporary file is then removed and the
/// old file (if any) is left whole and unchanged.
bool writeFileAtomically(const std::string &path, std::string_view bytes);

} // namespace linkmoor
