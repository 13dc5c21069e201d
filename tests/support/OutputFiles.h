#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

// A written file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every file below `root`, as paths relative to it.
inline std::set<std::string> FilesBelow(const std::filesystem::path& root)
{
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.insert(std::filesystem::relative(entry.path(), root).string());
    return files;
}
