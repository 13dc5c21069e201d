#pragma once

#include <chrono>
#include <string>

// The progress line of a long command on standard error: records done of
// the total, records per second and the time left, redrawn in place. Shown
// only when asked for and standard error is a terminal; otherwise every call
// does nothing.
//
// Who calls it: one thread at a time (the command's own or one of its
// workers), with the count done so far, as often as it likes; the line is
// redrawn at most a few times a second.
class Progress {
public:
    Progress(int total, bool wanted);
    ~Progress() { Finish(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Update(int done);
    // Removes the line, so that what follows starts on a clean line.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    int m_total;
    bool m_shown;
    bool m_drawn = false;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_lastDrawn;
};

// "1234 / 5000  812 records/s  0:05 left"; the rate and time are left out
// until a measurable time has passed.
std::string ProgressLine(int done, int total, double seconds);
