#pragma once

#include "handon/CardRecords.h"
#include "handon/ReportImage.h"
#include "screens/ShownValues.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

// A record's screen as drawn: its picture, encoded, and the values it shows.
struct ReportPicture {
    ReportImage image;
    ShownRecord shown;
};

// The screen pictures of a report's records, drawn and encoded on every core
// ahead of the thread that lays out the pages, at most a bounded number ahead
// of it so that a card of any size keeps a small picture store.
//
// Who calls it: one thread (the report's own) calls Take with the indices
// 0, 1, 2, ... in order; the workers are stopped and joined on destruction.
class ReportPictures {
public:
    // Each screen pixel becomes `scale` x `scale` picture pixels.
    ReportPictures(const std::vector<CardRecord>& records, int scale);
    ~ReportPictures();
    ReportPictures(const ReportPictures&) = delete;
    ReportPictures& operator=(const ReportPictures&) = delete;

    // The picture of records[index], waiting until it is drawn.
    ReportPicture Take(std::size_t index);

private:
    struct Slot {
        ReportPicture picture;
        std::size_t index = 0;
        bool ready = false;
    };

    void Work();

    const std::vector<CardRecord>& m_records;
    int m_scale;
    std::vector<Slot> m_slots; // record i's picture waits in slot i % size
    std::size_t m_next = 0;    // the next record a worker draws
    std::size_t m_taken = 0;   // records handed out so far
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_drawn;
    std::condition_variable m_room;
    std::vector<std::thread> m_workers;
};
