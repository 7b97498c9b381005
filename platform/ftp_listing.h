#pragma once
// Reading the listing of one server folder: MLSD lines (exact about types) and, for
// servers without MLSD, LIST lines in the Unix "ls -l" or the DOS form. Names from the
// server are checked before anything uses them as a local path.

#include <string>
#include <string_view>
#include <vector>

namespace linkmoor {

/// One entry of a server folder.
struct FtpEntry {
  std::string name;         ///< the entry's name as the server sent its bytes
  bool isDirectory = false; ///< a folder; everything else counts as a file
};

/// The entries of one server folder, in the server's order.
struct FtpListing {
  std::vector<FtpEntry> entries; ///< the accepted entries
  int refused = 0;               ///< names left out because they are unsafe
};

/// True for a name that can stand as one local path segment: not empty, not "." or
/// "..", and without "/", NUL or a control character (bytes below 32, and 127).
bool isSafeFtpName(std::string_view name);

/// Reads MLSD output (lines "facts; name"): entries of type file and dir are kept,
/// the folder itself and its parent (cdir, pdir) and other types are passed over.
FtpListing parseMlsdListing(std::string_view text);

/// Reads LIST output in the Unix form ("drwxr-xr-x 2 u g 4096 Jan 1 12:00 name", a
/// link's " -> target" dropped) or the DOS form ("01-31-24 10:00AM <DIR> name").
/// Lines of other forms ("total 12") are passed over.
FtpListing parseListListing(std::string_view text);

} // namespace linkmoor
