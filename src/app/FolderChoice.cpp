#include "FolderChoice.h"

bool IsInstrumentFolder(std::string_view path)
{
    return path.ends_with("KR80") || path.ends_with("KR80A");
}
