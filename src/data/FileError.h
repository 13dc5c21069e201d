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
    Other,
};

FileErrorCause FileErrorCauseFromErrno(int error);

// The file error box's text for the cause, with the path in place of "%1".
std::string FileErrorText(FileErrorCause cause, const std::string& path);
