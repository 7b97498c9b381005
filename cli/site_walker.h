#pragma once
// Finds the pages of a site folder.

#include <string>
#include <vector>

namespace linkmoor::cli {

/// True when the text after the last "." of the last path component is "htm"
/// or "html" in any letter case.
bool isHtmlPageName(const std::string &path);

/// The pages below `root` as paths relative to it (the names' bytes as the file
/// system gives them), in a stable order: in every folder its sub-folders first
/// (by name, each walked depth first), then its files by name, as the windowed
/// program's tree shows them. Symbolic links to folders and pages are followed
/// while they stay inside the root (see storage/site_walk.h: a link out of the
/// root is left out, a link back into a folder on the path is not entered
/// again, a link that leads nowhere and is named as a page is listed and then
/// cannot be opened).
///
/// Nothing is dropped in silence: a folder whose entries cannot be listed, and
/// an entry that cannot be looked at, is listed among the pages in its place
/// (so that the run reports it as a page that cannot be opened) and added to
/// `unreadable` when it is given. Sets `ok` to false when `root` cannot be read
/// as a folder.
std::vector<std::string> listSitePages(const std::string &root, bool &ok,
                                       std::vector<std::string> *unreadable = nullptr);

} // namespace linkmoor::cli
