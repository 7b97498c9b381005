#pragma once
// Giving each extracted link its target and final type: in a local project
// relative links become disk paths under the project root and `file://` links
// site links; in a remote project relative links become addresses on the site's
// host name and links to that host site links.

#include "engine/link_list.h"
#include "engine/local_link_memo.h"

#include <string>
#include <string_view>

namespace linkmoor {

/// The value of `link` in the working text `text`..`end`: the bytes from
/// `valueStart` to `valueEnd` without the first one when that is a quote; empty
/// when the range is empty or lies outside the text.
std::string linkValue(const char *text, const char *end, const LinkRecord &link);

/// Collapses every run of "/" in `path` to one (as replacing "//" by "/" until
/// none is left would).
std::string collapseSlashes(std::string_view path);

/// Local project: relative links (type 0) get root + "/" + the path resolved from
/// the page's folder relative to `rootPath`, with "." and ".." steps that are left
/// taken as a browser does (never above the root) and runs of "/" collapsed. Steps
/// that are "." or ".." only once decoded as the disk check decodes them
/// (`%2e%2e`, `&#46;&#46;`, a backslash) are taken too, and such a path is then
/// written decoded and escaped (escapeForDiskTarget); the root is written escaped
/// the same way, so the check never tests a file outside it. Absolute
/// links (type 2) keep their value as target and become site links (type 1) when
/// the value, after leading blanks, begins with "file://" in any letter case.
/// `pageFolder` is the page's full folder, `pageName` its file name.
/// With `memo` (started for this page), the target of a local link whose value
/// the memo knows is taken from it, and each other one is kept there; the memo's
/// pageEntries then tell each link's entry.
void resolveLocal(LinkList &links, const char *text, const char *end, const std::string &pageFolder,
                  const std::string &pageName, const std::string &rootPath,
                  LocalLinkMemo *memo = nullptr);

/// Remote project: relative links get "http://" + `subdomainName` + "/" + the path
/// resolved from the page's folder below `downloadFolder` + `subdomainPath` ("."
/// and ".." steps that are left taken, never above the web root; runs of "/"
/// collapsed, the "http://" added after that); absolute links keep their
/// value and become site links when the text right after their first "://" is
/// exactly `subdomainName` (letter case counts, a port is part of the name)
/// followed by the end of the value or by "/".
void resolveRemote(LinkList &links, const char *text, const char *end,
                   const std::string &pageFolder, const std::string &pageName,
                   const std::string &downloadFolder, const std::string &subdomainPath,
                   const std::string &subdomainName);

} // namespace linkmoor
