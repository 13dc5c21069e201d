#include "FolderChoice.h"

#include "data/CardText.h"
#include "data/Messages.h"

#include <filesystem>
#include <system_error>

bool IsInstrumentFolder(std::string_view path)
{
    return path.ends_with("KR80") || path.ends_with("KR80A");
}

std::string InstrumentFolderInside(const std::string& folder)
{
    std::string kr80;
    std::error_code error;
    if (folder.empty())
        return {};
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (!EqualIgnoringCase(name, "KR80A") && !EqualIgnoringCase(name, "KR80"))
            continue;
        if (!it->is_directory(typeError))
            continue;
        if (EqualIgnoringCase(name, "KR80A"))
            return name;
        kr80 = name;
    }
    return kr80;
}

std::string JoinFolder(const std::string& folder, const std::string& name)
{
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

bool OfferInstrumentFolder(Messages& messages, std::string& path)
{
    if (IsInstrumentFolder(path))
        return false;
    const std::string inside = InstrumentFolderInside(path);
    if (inside.empty()
        || !messages.AskYesNo(path + " に" + inside + "フォルダがあります。\nこのフォルダを開きますか？"))
        return false;
    path = JoinFolder(path, inside);
    return true;
}
