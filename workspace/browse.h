#pragma once
// "Browse the file": a project file or a site address opened in the user's web browser.

#include <QString>
#include <string>

class QWidget;

namespace linkmoor {

/// The address of the file `relativePath` of the local project rooted at `rootPath`:
/// the root, "/" and the path, every "//" made "/", as a file URL. A root that begins
/// with "/" gives "file:///home/...", never four slashes; characters that cannot stand
/// in a URL (blanks, "#", "?", "%", non-ASCII) are percent-encoded. `relativePath` may
/// hold names that are not UTF-8 in the carried form of storage/file_name_text.h (as
/// `itemPath` gives them): the address names their bytes, each percent-encoded.
QString localBrowseAddress(const std::string &rootPath, const QString &relativePath);
/// The address of the file whose full path is the bytes `path`, every "//" made "/",
/// as a file URL with every byte that cannot stand in it percent-encoded.
QString fileAddressOfBytes(std::string path);

/// The message shown when no program opens HTML files.
QString noHtmlProgramMessage();

/// Opens `address` with the desktop's HTML handler (openWithHtmlProgram); when none can
/// be started shows noHtmlProgramMessage, owned by `owner`. True when started.
bool browseAddress(QWidget *owner, const QString &address);

} // namespace linkmoor
