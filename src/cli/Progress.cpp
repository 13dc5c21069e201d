#include "cli/Progress.h"

#include "cli/Translation.h"

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

std::string Duration(double seconds)
{
    const long total = std::lround(seconds);
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}

} // namespace

std::string ProgressLine(int done, int total, double seconds)
{
    std::string line = std::to_string(done) + " / " + std::to_string(total);
    if (seconds < 0.05 || done <= 0)
        return line;
    const double rate = done / seconds;
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", rate);
    return line + "  " + WithArguments(Tr("progress", "%1 records/s"), {text}) + "  " +
           WithArguments(Tr("progress", "%1 left"), {Duration((total - done) / rate)});
}

Progress::Progress(int total, bool wanted) : m_total(total), m_shown(wanted && isatty(STDERR_FILENO))
{
}

void Progress::Update(int done)
{
    if (!m_shown)
        return;
    const Clock::time_point now = Clock::now();
    if (m_drawn && now - m_lastDrawn < kRedrawInterval && done < m_total)
        return;
    m_lastDrawn = now;
    m_drawn = true;
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    // \r back to the start of the line, \033[K erases what a longer line left.
    std::fprintf(stderr, "\r%s\033[K", ProgressLine(done, m_total, seconds).c_str());
    std::fflush(stderr);
}

void Progress::Finish()
{
    if (m_drawn)
        std::fprintf(stderr, "\r\033[K");
    m_drawn = false;
}
