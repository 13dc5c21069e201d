#include "handon/ReportPictures.h"

#include "handon/CanvasImage.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Pictures drawn ahead of the page layout per worker: enough to keep every
// core busy while the layout thread stalls on a long record, few enough that
// the store stays some megabytes on a card of any size.
constexpr std::size_t kAheadPerWorker = 32;

// How many pictures handed out lately are kept for reuse: identical screens
// follow each other (the same measurement taken again), seldom far apart.
constexpr std::size_t kRecentPictures = 16;

bool BlackAndWhiteOnly(const std::vector<Rgb>& pixels)
{
    return std::all_of(pixels.begin(), pixels.end(), [](Rgb p) { return p == kBlack || p == kWhite; });
}

// Every pixel as `scale` x `scale` bits.
QImage OneBitImage(const std::vector<Rgb>& pixels, int width, int height, int scale)
{
    QImage image(width * scale, height * scale, QImage::Format_Mono);
    // The PDF writer embeds one bit a pixel only for exactly this table.
    image.setColorTable({0xFF000000u, 0xFFFFFFFFu});
    const auto lineBytes = static_cast<std::size_t>(image.bytesPerLine());
    const std::uint32_t run = (1u << scale) - 1; // one pixel's bits, all set
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y * scale);
        std::fill(line, line + lineBytes, uchar{0});
        const Rgb* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        // Bits gather at the low end of `pending` and leave a byte at a time.
        std::uint32_t pending = 0;
        int pendingBits = 0;
        uchar* out = line;
        for (int x = 0; x < width; ++x) {
            pending = (pending << scale) | (row[x] == kWhite ? run : 0u);
            for (pendingBits += scale; pendingBits >= 8; pendingBits -= 8)
                *out++ = static_cast<uchar>(pending >> (pendingBits - 8));
        }
        if (pendingBits > 0)
            *out = static_cast<uchar>(pending << (8 - pendingBits));
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(image.scanLine(y * scale + copy), line, lineBytes);
    }
    return image;
}

// QImage's own comparison goes pixel by pixel; the lines of our pictures
// have no stray bits in their padding, so comparing the bytes suffices.
bool SameBits(const QImage& a, const QImage& b)
{
    return a.format() == b.format() && a.size() == b.size() && a.colorTable() == b.colorTable() &&
           std::memcmp(a.constBits(), b.constBits(), static_cast<std::size_t>(a.sizeInBytes())) == 0;
}

} // namespace

QImage ReportScreenImage(const Canvas& canvas, int scale)
{
    const std::vector<Rgb> pixels = canvas.Pixels();
    if (BlackAndWhiteOnly(pixels))
        return OneBitImage(pixels, canvas.Width(), canvas.Height(), scale);
    return ImageOfCanvas(canvas).scaled(canvas.Width() * scale, canvas.Height() * scale);
}

ReportPictures::ReportPictures(const std::vector<CardRecord>& records, int scale)
    : m_records(records), m_scale(scale)
{
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
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
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock lock(m_mutex);
            m_room.wait(lock, [&] { return m_stopping || m_next >= m_records.size() || m_next < m_taken + m_slots.size(); });
            if (m_stopping || m_next >= m_records.size())
                return;
            index = m_next++;
        }
        display.Select(m_records[index].item);
        Canvas canvas;
        display.Paint(canvas);
        ReportPicture picture{ReportScreenImage(canvas, m_scale), ShownValues(display)};
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
    }
    m_room.notify_all();
    picture.image = Recent(picture.image);
    return picture;
}

// The same image object as an equal picture handed out lately (the PDF
// writer keys what it embedded by the image object), else `image`, now kept.
QImage ReportPictures::Recent(const QImage& image)
{
    const auto same = std::find_if(m_recent.begin(), m_recent.end(), [&](const QImage& kept) { return SameBits(kept, image); });
    if (same != m_recent.end())
        return *same;
    if (m_recent.size() == kRecentPictures)
        m_recent.erase(m_recent.begin());
    m_recent.push_back(image);
    return image;
}
