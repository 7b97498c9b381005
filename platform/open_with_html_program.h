#pragma once
// Opening a file or web address with the desktop's handler for HTML pages. On this
// desktop that is xdg-open (or the command set in its place), started as a process of
// its own, directly and without a shell, and never waited for.

#include <string>
#include <vector>

namespace linkmoor {

/// The command that opens a page: the program and its leading arguments; the page is
/// appended as the last argument. {"xdg-open"} unless replaced.
std::vector<std::string> htmlOpenCommand();

/// Replaces the command (the program, then any leading arguments); an empty list
/// restores {"xdg-open"}. Not thread-safe: set it before pages are opened.
void setHtmlOpenCommand(std::vector<std::string> command);

/// The executable file `program` names: a name holding "/" is taken as it is, any
/// other is looked up in the folders of `searchPath` (a PATH value; an empty folder
/// means the current one). Empty when no such executable regular file exists.
std::string findProgram(const std::string &program, const std::string &searchPath);

/// Starts the command with `target` (a file path or an address such as
/// "file:///home/user/site/index.html") in a session of its own, standard input from
/// /dev/null, no descriptors but the standard three passed on. The process is reaped
/// in the background, never waited for. False when the program cannot be found on
/// PATH or cannot be started.
bool openWithHtmlProgram(const std::string &target);

} // namespace linkmoor
