#pragma once
// The walk of a site folder shared by the windowed tree and linkmoor-check.
//
// Names are kept as the bytes the file system gives. Symbolic links are
// followed, to folders and to files, as long as their real path lies inside the
// real path of the root; a link that leads out of the root is left out of the
// walk altogether (the site served from the root cannot reach it either). A link
// that leads back into a folder already on the path from the root (same device
// and inode) is listed once, as a folder that is not entered again. A link that
// leads nowhere is listed as a file, which then cannot be opened. Folders are
// walked through their descriptors, so a path longer than the system's limit is
// still walked; what cannot be looked at is listed as `Unreadable`, and a folder
// whose entries cannot be listed has `readable` false: nothing is dropped.

#include <cstddef>
#include <string>
#include <vector>

namespace linkmoor {

/// What an entry of the walk is.
enum class WalkKind {
  Folder,    ///< a folder (or a link to one)
  File,      ///< anything else that could be looked at, or a link that leads nowhere
  Unreadable ///< an entry whose type could not be learnt (no search permission, ...)
};

/// One entry of the walk, with its children when it is a folder that was entered.
struct WalkEntry {
  std::string name; ///< the name's bytes; for the top entry the root path as given
  WalkKind kind = WalkKind::File;
  bool link = false;     ///< reached through a symbolic link
  bool dangling = false; ///< a link whose target does not exist
  bool loop = false;     ///< a folder already on the path: listed, not entered
  bool readable = true;  ///< a folder whose entries could be listed
  /// Folders first, then the other entries, each group in the walk's order.
  std::vector<WalkEntry> children;
};

/// The order of the names within each group.
enum class WalkOrder {
  Bytes,   ///< byte order
  Caseless ///< ASCII case ignored, ties by byte order (the order of FolderSearch)
};

/// What a walk cost, for tests that keep it cheap.
struct WalkCounts {
  /// Entries looked at one by one (a stat each). A plain file that the folder
  /// listing already names as one is not looked at again once the folder has
  /// shown that its entries can be looked at.
  std::size_t lookups = 0;
};

/// Walks the folder `root`. Returns false, with `top` a folder that is not
/// readable, when the root cannot be opened as a folder. `counts`, when given,
/// gets what the walk cost.
bool walkSiteFolder(const std::string &root, WalkOrder order, WalkEntry &top,
                    WalkCounts *counts = nullptr);

} // namespace linkmoor
