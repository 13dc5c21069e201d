// Feeds arbitrary bytes to the viewer's settings reader as its settings file:
// what it says about the start-up folder, and any key of any section.
#include "ScratchFolder.h"
#include "app/settings/ProfileFile.h"
#include "app/settings/StartUpSettings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string& SettingsPath()
{
    static const std::string path = ScratchFolder() + "/settings.ini";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (FILE* file = std::fopen(SettingsPath().c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const ProfileFile profile(SettingsPath());
    const StartUpSettings settings = ReadStartUpSettings(profile, "KR80A_Viewer");
    const std::string folder = ScanFolderOf(settings.m_strStartFolder);
    // A section and key named by the input's first line, as "section/key".
    const std::string head(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 64));
    const std::string first = head.substr(0, head.find('\n'));
    const std::size_t slash = first.find('/');
    const std::string section = first.substr(0, slash);
    const std::string key = slash == std::string::npos ? "" : first.substr(slash + 1);
    const std::string text = profile.ReadText(section, key, "fallback");
    const int number = profile.ReadInt(section, key, -1);
    return folder.size() + text.size() == 0 && number == 0;
}
