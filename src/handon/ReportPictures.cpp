#include "handon/ReportPictures.h"

#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <algorithm>

namespace {

// Pictures drawn ahead of the page layout per worker: enough to keep every
// core busy while the layout thread stalls on a long record, few enough that
// the store stays some megabytes on a card of any size.
constexpr std::size_t kAheadPerWorker = 32;

} // namespace

ReportPictures::ReportPictures(const std::vector<CardRecord>& records, int scale)
    : m_records(records), m_scale(scale)
{
    // The thread that lays out the pages keeps a core busy on its own: a worker
    // more than the other cores would only take turns with it, and it sets
    // the pace.
    const unsigned cores = std::thread::hardware_concurrency(); // 0 when unknown
    const unsigned workers = cores > 1 ? cores - 1 : 1;
    m_slots.resize(workers * kAheadPerWorker);
    for (unsigned i = 0; i < workers && i < records.size(); ++i)
        m_workers.emplace_back(&ReportPictures::Work, this);
}

ReportPictures::~ReportPictures()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_room.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void ReportPictures::Work()
{
    RecordDisplay display;
    ReportImageEncoder encoder(m_scale);
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock lock(m_mutex);
            // A full store waits until half of it is taken, so that a worker
            // wakes once for many pictures rather than once for each.
            if (m_next >= m_taken + m_slots.size())
                m_room.wait(lock, [&] { return m_stopping || m_next >= m_records.size() || HalfFree(); });
            if (m_stopping || m_next >= m_records.size())
                return;
            index = m_next++;
        }
        display.Select(m_records[index].item);
        Canvas canvas;
        display.Paint(canvas);
        ReportPicture picture{encoder.Describe(canvas), ShownValues(display), {}};
        for (std::size_t label = 0; label < picture.labels.size(); ++label)
            picture.labels[label] = display.LabelText(static_cast<RecordDisplay::Label>(label));
        if (!Seen(index, picture.image))
            encoder.Compress(picture.image);
        {
            const std::lock_guard lock(m_mutex);
            Slot& slot = m_slots[index % m_slots.size()];
            slot.picture = std::move(picture);
            slot.index = index;
            slot.ready = true;
        }
        m_drawn.notify_all();
    }
}

bool ReportPictures::HalfFree() const
{
    return m_next < m_taken + m_slots.size() / 2;
}

bool ReportPictures::Seen(std::size_t index, const ReportImage& image)
{
    const std::lock_guard lock(m_mutex);
    const bool seen = std::any_of(m_described.begin(), m_described.end(), [&](const Described& earlier) {
        return earlier.index < index && index - earlier.index <= kSharedDistance &&
               earlier.keyHash == image.keyHash && earlier.key == image.key;
    });
    if (m_described.size() == 2 * kSharedDistance)
        m_described.erase(m_described.begin());
    m_described.push_back({index, image.keyHash, image.key});
    return seen;
}

ReportPicture ReportPictures::Take(std::size_t index)
{
    ReportPicture picture;
    {
        std::unique_lock lock(m_mutex);
        Slot& slot = m_slots[index % m_slots.size()];
        m_drawn.wait(lock, [&] { return slot.ready && slot.index == index; });
        picture = std::move(slot.picture);
        slot = Slot{};
        m_taken = index + 1;
        if (!HalfFree())
            return picture;
    }
    m_room.notify_all();
    return picture;
}
