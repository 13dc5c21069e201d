#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

// A card folder written by a test into a fresh temporary folder, removed
// again when the test ends.
class TempCard {
public:
    TempCard()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kr80a-test-XXXXXX").string();
        m_root = mkdtemp(pattern.data());
    }
    ~TempCard() { std::filesystem::remove_all(m_root); }
    TempCard(const TempCard&) = delete;
    TempCard& operator=(const TempCard&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }

    // Writes `bytes` to the file at `relative`, creating its folders.
    std::string Write(const std::string& relative, const std::string& bytes) const
    {
        const std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Writes `bytes` and then makes the file `size` bytes long without
    // writing the rest: a large file of zero bytes that takes no room on disk.
    std::string WriteSparse(const std::string& relative, const std::string& bytes,
                            std::uintmax_t size) const
    {
        const std::string path = Write(relative, bytes);
        std::filesystem::resize_file(path, size);
        return path;
    }

    std::string MakeFolder(const std::string& relative) const
    {
        std::filesystem::create_directories(Path(relative));
        return Path(relative);
    }

private:
    std::string m_root;
};
