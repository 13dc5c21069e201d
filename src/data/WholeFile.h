#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

struct stat;

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

// The same for bytes made a piece at a time, so that a large output is never
// held whole: construct, Write as often as needed, then Commit. Until Commit
// the target is as it was; a writer that goes without a successful Commit
// leaves nothing behind (a device or FIFO has had its bytes, as it would).
class WholeFileWriter {
public:
    WholeFileWriter(const std::string& target, const WholeFileOptions& options = {});
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // 0 while every byte so far got there, else the errno of the first
    // failure; after a failure nothing more is written.
    int Write(std::string_view bytes);
    // Puts the file in place: 0, or the errno of the first failure with the
    // target as it was.
    int Commit();

private:
    void OpenInPlace();
    void OpenBeside(const struct stat* old);

    std::string m_target; // links resolved
    WholeFileOptions m_options;
    std::string m_folder;
    std::string m_name; // the new file's name while it has one
    int m_fd = -1;
    int m_error = 0;
    bool m_inPlace = false;
    bool m_targetExists = false;
    bool m_committed = false;
};

// A folder that many new files are written into, such as an export's:
// opened once, so that each file costs no walk down the folder's path and
// no look at what is there before it.
class NewFilesFolder {
public:
    explicit NewFilesFolder(const std::string& folder);
    ~NewFilesFolder();
    NewFilesFolder(const NewFilesFolder&) = delete;
    NewFilesFolder& operator=(const NewFilesFolder&) = delete;

    // Writes `bytes` as the new file `name` in the folder, as WriteWholeFile
    // would: the file has no name until it is complete. 0 when every byte got
    // there, else the errno of the first failure with nothing left behind;
    // EEXIST, with nothing written, when the name is taken (by a file, a link,
    // anything), which WriteWholeFile may then replace.
    int Write(const std::string& name, std::string_view bytes, const WholeFileOptions& options = {}) const;

private:
    int WriteBeside(const std::string& name, std::string_view bytes, const WholeFileOptions& options) const;

    std::string m_folder;
    int m_fd = -1;
    int m_error = 0;
};

// Flushes the file system that holds `path` to the disk (syncfs). 0 or errno.
int SyncFileSystemOf(const std::string& path);
