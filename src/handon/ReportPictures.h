#pragma once

#include "handon/CardRecords.h"
#include "handon/ReportImage.h"
#include "screens/ShownValues.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A record's screen as drawn: its picture, encoded, the values it shows and
// the labels around it (card bytes, by RecordDisplay::Label).
struct ReportPicture {
    ReportImage image;
    ShownRecord shown;
    std::array<std::string, 4> labels;
};

// The screen pictures of a report's records, drawn and encoded on every core
// but the one of the thread that lays out the pages, ahead of that thread, at most a bounded number ahead
// of it so that a card of any size keeps a small picture store. A picture
// equal to one of the few records just before it (the same measurement taken
// again) is not compressed again: it comes without samples, and the page
// layout uses the earlier one's, which it has drawn a few records before.
//
// Who calls it: one thread (the report's own) calls Take with the indices
// 0, 1, 2, ... in order; the workers are stopped and joined on destruction.
class ReportPictures {
public:
    // How far back an equal picture is looked for: the page layout keeps at
    // least twice as many pictures for reuse.
    static constexpr std::size_t kSharedDistance = 8;

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
    // Notes `image` of records[index]; true when one of the kSharedDistance
    // records before it showed the same picture.
    bool Seen(std::size_t index, const ReportImage& image);
    // Fewer than half the slots hold or await a picture (called locked).
    bool HalfFree() const;

    const std::vector<CardRecord>& m_records;
    int m_scale;
    std::vector<Slot> m_slots; // record i's picture waits in slot i % size
    std::size_t m_next = 0;    // the next record a worker draws
    std::size_t m_taken = 0;   // records handed out so far
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_drawn;
    std::condition_variable m_room;
    struct Described {
        std::size_t index = 0;
        std::size_t keyHash = 0;
        std::string key;
    };
    std::vector<Described> m_described; // the pictures described lately, oldest first
    std::vector<std::thread> m_workers;
};
