#pragma once
// The local-folder operations of the remote work: making the folders that mirror a
// remote path, testing and clearing the download folder, writing a text file, and the
// trailing "/" of a server folder path. Paths use "/" as separator.

#include <string>

namespace linkmoor {

/// Makes sure the folders below `localFolder` exist that mirror the folder part of
/// `remotePath` ("a/b/page.htm" makes "a", then "a/b"). A path without "/", or whose
/// only "/" is its first character, needs none. False when a folder cannot be made, or
/// when a segment of the folder part is "..", which would climb out of `localFolder`.
bool makeMirrorFolders(const std::string &localFolder, const std::string &remotePath);

/// True when `folder` holds nothing besides "." and ".." (also when it cannot be read).
bool isFolderEmpty(const std::string &folder);

/// Deletes everything inside `folder`, depth first; the folder itself stays. Links are
/// removed, never followed. What cannot be deleted stays.
void clearFolder(const std::string &folder);

/// Writes `text` as the whole content of `path`, through a temporary file that replaces
/// the old one only when complete. False on any failure; the old file is then unchanged.
bool writeTextFile(const std::string &path, const std::string &text);

/// `path` with a "/" at its end: "" becomes "/", "a" becomes "a/", "a/" stays.
std::string withTrailingSlash(const std::string &path);

} // namespace linkmoor
