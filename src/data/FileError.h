#pragma once

#include <string>

// The causes the file error box distinguishes, each with its own text.
enum class FileErrorCause {
    NotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    SharingViolation,
    LockViolation,
    HardwareIo,
    EndOfFile,
    // ENOSPC or EDQUOT: the most common failure of a save, worth its own words.
    DiskFull,
    Other,
};

FileErrorCause FileErrorCauseFromErrno(int error);

// The file error box's text for the cause, with the path in place of "%1"
// where the text names one.
std::string FileErrorText(FileErrorCause cause, const std::string& path);
