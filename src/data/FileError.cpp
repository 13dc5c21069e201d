#include "data/FileError.h"

#include <cerrno>

FileErrorCause FileErrorCauseFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return FileErrorCause::NotFound;
    case ENAMETOOLONG:
    case ENOTDIR:
    case ELOOP:
    case EINVAL:
        return FileErrorCause::BadPath;
    case EMFILE:
    case ENFILE:
        return FileErrorCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return FileErrorCause::AccessDenied;
    case ETXTBSY:
    case EBUSY:
        return FileErrorCause::SharingViolation;
    case ENOSPC:
    case EDQUOT:
        return FileErrorCause::DiskFull;
    case ENOLCK:
    case EDEADLK:
        return FileErrorCause::LockViolation;
    case EIO:
    case ENXIO:
    case ENODEV:
        return FileErrorCause::HardwareIo;
    default:
        return FileErrorCause::Other;
    }
}

namespace {

const char* TextTemplate(FileErrorCause cause)
{
    switch (cause) {
    case FileErrorCause::NotFound:
        return "%1 が見つかりませんでした。";
    case FileErrorCause::BadPath:
        return "%1 には無効なﾊﾟｽが含まれています。";
    case FileErrorCause::TooManyOpenFiles:
        return "開いているﾌｧｲﾙが多すぎるため、%1 を開けませんでした。";
    case FileErrorCause::AccessDenied:
        return "%1 へのｱｸｾｽは拒否されました。";
    case FileErrorCause::SharingViolation:
        return "%1 へのｱｸｾｽ中に共有違反が発生しました。";
    case FileErrorCause::LockViolation:
        return "%1 へのｱｸｾｽ中にﾛｯｸ違反が発生しました。";
    case FileErrorCause::HardwareIo:
        return "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。";
    case FileErrorCause::EndOfFile:
        return "%1 の末尾以降にｱｸｾｽしようとしました。";
    case FileErrorCause::DiskFull:
        return "ディスクの空き容量が不足しています";
    case FileErrorCause::Other:
        break;
    }
    return "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。";
}

} // namespace

std::string FileErrorText(FileErrorCause cause, const std::string& path)
{
    std::string text = TextTemplate(cause);
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}
