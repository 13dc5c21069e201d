#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// What one run of the built command-line tool printed and how it ended.
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `kr80a ARGUMENTS` through the shell, in `folder` when one is given;
// standard error is kept apart.
inline RunResult RunKr80a(const std::string& arguments, const std::string& folder = "")
{
    RunResult result;
    char errPath[] = "/tmp/kr80a-stderr-XXXXXX";
    const int errFd = mkstemp(errPath);
    if (errFd < 0)
        return result;
    close(errFd);
    const std::string command = (folder.empty() ? "" : "cd '" + folder + "' && ") +
                                std::string(KR80A_BINARY) + " " + arguments + " 2>" + errPath;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.out.append(buffer, n);
        const int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (FILE* err = std::fopen(errPath, "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, err)) > 0;)
            result.err.append(buffer, n);
        std::fclose(err);
    }
    std::remove(errPath);
    return result;
}

// What a shell command printed on standard output.
inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}
