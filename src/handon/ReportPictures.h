#pragma once

#include "handon/CardRecords.h"
#include "screens/ShownValues.h"

#include <QImage>

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

class Canvas;

// A drawn screen in the smallest form the PDF writer embeds losslessly: one
// bit a pixel (black and white only, as every screen but the multi-channel
// graph draws), else 32-bit RGB, which the writer would otherwise convert to
// on the page-laying thread.
QImage ReportScreenImage(const Canvas& canvas, int scale);

// A record's screen as drawn: its picture and the values it shows.
struct ReportPicture {
    QImage image;
    ShownRecord shown;
};

// The screen pictures of a report's records, drawn on every core ahead of the
// thread that lays out the pages, at most a bounded number ahead of it so that
// a card of any size keeps a small picture store. Pictures that equal one
// handed out shortly before come back as that same image, so that the PDF
// writer embeds them once.
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
    QImage Recent(const QImage& image);

    const std::vector<CardRecord>& m_records;
    int m_scale;
    std::vector<Slot> m_slots; // record i's picture waits in slot i % size
    std::size_t m_next = 0;    // the next record a worker draws
    std::size_t m_taken = 0;   // records handed out so far
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_drawn;
    std::condition_variable m_room;
    std::vector<QImage> m_recent; // pictures handed out lately, newest last
    std::vector<std::thread> m_workers;
};
