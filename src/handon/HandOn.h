#pragma once

#include <functional>
#include <string>
#include <vector>

// What both programs call to hand a scanned card on: every record's picture,
// the printable report and the summary table. Each takes the scanned card, a
// selection of its measurement folders, its options and a progress callback,
// and writes whole files or none (each writer says what "whole" covers).

// Told how far the work has got: `done` of `total` records, first with none
// done, then as records are done and once more at the end. It may be called
// from the work's own threads, but never from two at once. Returning false
// asks the work to stop before the next record. An empty callback lets the
// work run to the end.
using HandOnProgress = std::function<bool(int done, int total)>;

// Measurement folder names as the scan lists them (as the file system gives
// them). Empty: the whole card.
using FolderSelection = std::vector<std::string>;

// How a piece of work ended. Messages are left to the caller, which knows its
// user's language; the outcome names the file and the system's reason.
struct HandOnOutcome {
    enum class Status {
        Written,      // every file written whole
        Stopped,      // the progress callback asked to stop; see each writer for what is left
        FolderFailed, // `path` (a folder) could not be made
        FileFailed,   // `path` (a file) could not be written
        InsideCard,   // `path` (a folder or file to write) lies inside the card, links resolved; refused
    };
    Status status = Status::Written;
    int done = 0;       // records handed on
    int total = 0;      // records selected
    std::string path;   // what failed
    std::string reason; // why, as the system says it
    int error = 0;      // the system's error number for it (errno), 0 when unknown

    bool Written() const { return status == Status::Written; }
};

// Calls `progress` when there is one; true when the work may go on.
inline bool GoOn(const HandOnProgress& progress, int done, int total)
{
    return !progress || progress(done, total);
}
