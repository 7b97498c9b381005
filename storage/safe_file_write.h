#pragma once
// Replacing a file's content so that it is never left damaged, the way careful
// editors do it.
//
// When it is safe, the new bytes go to a temporary file beside the target (made
// with the target's own mode, never wider), which is flushed to the disk and
// renamed over the target in one step. Renaming is safe when the folder may be
// written, the file has one link (a rename would cut the others off) and its
// owner and group can be kept (a rename gives the new file the writer's). In
// every other case the old content is first copied to a backup in the program's
// own folder of the user's cache ($XDG_CACHE_HOME, else ~/.cache, then
// "/linkmoor/"), flushed there, and the file is then overwritten in place, so
// it keeps its inode, links, owner, group and mode; the backup is removed only
// once the new bytes are on the disk. If the overwrite fails the old bytes are
// put back from the copy; only if that fails too does the backup stay, for the
// user to recover the file from.

#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace linkmoor {

/// How a careful write ended.
enum class WriteOutcome {
  NotOpened, ///< nothing could be written (missing folder, no permission, not a regular file)
  Failed,    ///< writing failed; the old file (if any) is whole and unchanged
  Written    ///< the new bytes are the file's whole content, on the disk
};

/// Writes `bytes` as the whole content of `path` by the rules above. A symbolic
/// link is followed, so the file it points to gets the bytes and the link is
/// kept. A file the user may not write is refused, as is a target that is not a
/// regular file. A new file is made with `newFileMode` less the umask. An
/// existing file keeps its mode narrowed by `modeMask` (0600 keeps a file of
/// passwords private however it was found).
WriteOutcome writeFileSafely(const std::string &path, std::string_view bytes,
                             mode_t newFileMode = 0666, mode_t modeMask = 07777);

/// Test hook: called with the path of every temporary file right after it is
/// made, before anything is written to it (an empty function removes the hook).
void setTemporaryFileHook(std::function<void(const std::string &)> hook);

/// The folder that holds the backups of files overwritten in place:
/// $XDG_CACHE_HOME/linkmoor, else $HOME/.cache/linkmoor (empty when neither is set).
std::string backupFolderPath();

} // namespace linkmoor
