#pragma once
// Checking the resolved links of a page one by one, in list order, with Stop and
// Skip honoured before each link.

#include "engine/job_control.h"
#include "engine/link_checker.h"
#include "engine/link_list.h"

#include <string>

namespace linkmoor {

/// Progress action shown while a link is requested: "Requesting file from
/// internet      <index>/<count>" (the index counts from 0).
std::string requestingText(int index, int count);

/// Status of an HTTP target: its character references decoded, then asked of
/// `checker`. 0 found, 5 no web site, 10 no web file.
int checkHttpTarget(const std::string &target, LinkChecker &checker);

/// Status of a disk target (a path or a `file:` URL): decoded as by
/// diskPathOfTarget and asked of `checker` as a path. 0 found, 15 not found (also
/// when the URL names no local path).
int checkDiskTarget(const std::string &target, LinkChecker &checker);

/// Local project: for each link in order, sets `stop` and ends when Stop was
/// requested, sets `skip` and ends when Skip was; links with a non-zero status
/// are passed over; types 0 and 1 are checked on disk without a progress text,
/// type 2 over HTTP after showing requestingText and the target (query cut).
/// A check cut short by Stop keeps status 0 and ends the loop. The flags are
/// only ever set, never cleared.
void verifyLocal(LinkList &links, int &stop, int &skip, JobControl &job, LinkChecker &checker);

/// Remote project: as verifyLocal, but every link, whatever its type, is checked
/// over HTTP with the progress text.
void verifyRemote(LinkList &links, int &stop, int &skip, JobControl &job, LinkChecker &checker);

} // namespace linkmoor
