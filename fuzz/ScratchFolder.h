#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// A folder of this process for the files a target writes (in memory under
// /dev/shm where there is one), removed with everything in it when the
// process ends normally, so that replaying the corpus at every test run
// leaves nothing behind. A crash keeps it, with the input that caused it.
inline const std::string& ScratchFolder()
{
    static const std::string folder = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp")
                                      + std::string("/kr80a-fuzz-") + std::to_string(getpid());
    // Registered once the name is complete, so that it is removed before the
    // name itself is destroyed at exit.
    static const bool made = [] {
        std::filesystem::create_directories(folder);
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(folder, error);
        });
        return true;
    }();
    (void)made;
    return folder;
}
