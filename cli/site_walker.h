#pragma once
// Finds the pages of a site folder.

#include <string>
#include <vector>

namespace linkmoor::cli {

/// True when the text after the last "." of the last path component is "htm"
/// or "html" in any letter case.
bool isHtmlPageName(const std::string &path);

/// The pages below `root` as paths relative to it, in a stable order: in every
/// folder its sub-folders first (by name, each walked depth first), then its
/// files by name, as the windowed program's tree shows them. Symbolic links to
/// folders are not followed, so a link cycle cannot loop. Sets `ok` to false
/// when `root` cannot be read as a folder; sub-folders that cannot be read are
/// added to `unreadable` (relative to `root`) when it is given.
std::vector<std::string> listSitePages(const std::string &root, bool &ok,
                                       std::vector<std::string> *unreadable = nullptr);

} // namespace linkmoor::cli
