#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

// The one way every file of ours is written (the settings file, a saved
// picture, the command-line tool's pictures, report and table; never a card
// file). No Qt here.
//
// A regular file (or a link to one, which stays a link) holds either its old
// or its new content whatever happens meanwhile: the bytes go to a file
// beside it that has no name until it is complete (O_TMPFILE, where the file
// system has it; else a hidden temporary name), every write and the close are
// checked, and the file then takes the target's place by a rename. A device,
// FIFO or socket is written in place, so that "/dev/stdout" or a pipe works and
// is never replaced by a file.

// The folder of `path`: "." for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path);

// Permissions as a newly created file gets them: 0666 less the umask.
mode_t NewFileMode();

struct WholeFileOptions {
    // The permissions of a file that does not exist yet, less the umask as
    // for any file made; a replaced file keeps its own.
    mode_t newFileMode = NewFileMode();
    // Flushed to the disk before it takes the target's place. A writer of many
    // files may leave this off and call SyncFileSystemOf once at the end: a
    // kill still leaves only whole files.
    bool flush = true;
};

// Writes `bytes` to `target` as described above. 0 when every byte got
// there, else the errno of the first failure, with the target as it was and
// nothing left behind.
int WriteWholeFile(const std::string& target, std::string_view bytes, const WholeFileOptions& options = {});

// Flushes the file system that holds `path` to the disk (syncfs). 0 or errno.
int SyncFileSystemOf(const std::string& path);
