#pragma once
// Checking the resolved links of a page one by one, in list order, with Stop and
// Skip honoured before each link.

#include "engine/link_list.h"
#include "engine/local_link_memo.h"
#include "engine/pass_context.h"

#include <string>

namespace linkmoor {

/// Progress action shown while a link is requested: "Requesting file from
/// internet      <index>/<count>" (the index counts from 0).
std::string requestingText(int index, int count);

/// Status of an HTTP target: its character references decoded, then asked of
/// `checker`: Found, NoWebSite or NoWebFile.
LinkStatus checkHttpTarget(const std::string &target, LinkChecker &checker);

/// Status of a disk target (a path or a `file:` URL): decoded as by
/// diskPathOfTarget and asked of `checker` as a path: Found or NoDiskFile (also
/// when the URL names no local path).
LinkStatus checkDiskTarget(const std::string &target, LinkChecker &checker);
/// The same, decoding into `path` (a buffer that can serve many targets).
LinkStatus checkDiskTarget(const std::string &target, LinkChecker &checker, std::string &path);

/// Local project: for each link in order, sets `context.stop` and ends when Stop was
/// requested, sets `context.skip` and ends when Skip was; links with a non-zero status
/// are passed over; types 0 and 1 are checked on disk without a progress text,
/// type 2 over HTTP after showing requestingText and the target (query cut).
/// A check cut short by Stop keeps status 0 and ends the loop. The flags are
/// only ever set, never cleared.
/// With `memo` (filled for this page by resolveLocal), a link whose entry already
/// holds a disk result takes it, and a disk result found is kept in the entry,
/// when the checker keeps its disk results for the whole job.
void verifyLocal(LinkList &links, PassContext &context, LocalLinkMemo *memo = nullptr);

/// Remote project: as verifyLocal, but every link, whatever its type, is checked
/// over HTTP with the progress text.
void verifyRemote(LinkList &links, PassContext &context);

} // namespace linkmoor
