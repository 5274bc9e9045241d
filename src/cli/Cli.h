#pragma once
// kinloom-cli: the core's operations from a terminal. Kept as a library so tests run the real
// commands in-process with their streams redirected.

#include <iosfwd>
#include <string>
#include <vector>

namespace kinloom::cli {

enum ExitCode : int {
    kOk = 0,
    kUsage = 1,
    kUnreadable = 2,  // index error, unreadable file, entry outside the index
    kDecompression = 3,
    kNoNeighborhoods = 1,  // neighborhoods: none found, or no user-data folder to choose
    kRefused = 4,          // set: the game is running (without --force)
    kNotSaved = 5,         // set: the save failed; nothing (or only the named files) changed
    kProblemsFound = 7,    // check: the neighborhood has at least one problem
    // import-clone answers as set does. export-clone: kRefused when the file exists (without
    // --replace) or the sim has no body to clone, kNotSaved when no clone was written.
    // export: kRefused when the file exists (without --replace), kNotSaved when it could not be
    // written (nothing was then).
};

// Runs one command (arguments without the program name); messages go to err, results to out.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kinloom::cli
