#include "handon/ReportImageObjects.h"

#include "handon/ReportDevice.h"
#include "handon/ReportPictures.h"

#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// How many pictures drawn lately are looked at for an equal one: repeated
// measurements follow each other, seldom far apart. The workers leave out the
// samples of a picture equal to one up to ReportPictures::kSharedDistance
// records before it, which is then among these.
constexpr std::size_t kRecentPictures = 2 * ReportPictures::kSharedDistance;

// The error of a failed file call: errno, or EIO where the call set none.
int LastError()
{
    return errno != 0 ? errno : EIO;
}

QImage StandIn()
{
    QImage image(1, 1, QImage::Format_Mono);
    image.setColorTable({0xFF000000u, 0xFFFFFFFFu}); // black and white: the writer's smallest form
    image.fill(1);
    return image;
}

std::string ObjectBytes(int object, const ReportImage& image)
{
    return std::to_string(object) + " 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Width " +
           std::to_string(image.width) + "\n/Height " + std::to_string(image.height) + "\n" + image.entries +
           "/Filter /FlateDecode\n/Length " + std::to_string(image.samples.size()) + "\n>>\nstream\n" + image.samples +
           "\nendstream\nendobj\n";
}


// A file without a name in `folder`, else in the system's temporary folder:
// beside the report it takes the report's file system, which has room for
// the report, rather than a temporary folder that may be small or in memory.
std::FILE* UnnamedFile(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        if (std::FILE* file = ::fdopen(fd, "w+b"))
            return file;
        ::close(fd);
    }
    return std::tmpfile();
}

} // namespace

ReportImageObjects::ReportImageObjects(ReportDevice& device, const std::string& folder) : m_device(device)
{
    errno = 0;
    m_file = UnnamedFile(folder);
    if (!m_file)
        m_error = LastError();
}

ReportImageObjects::~ReportImageObjects()
{
    if (m_file)
        std::fclose(m_file);
}

void ReportImageObjects::Draw(QPainter& painter, const QRectF& target, ReportImage image)
{
    const auto same = std::find_if(m_recent.begin(), m_recent.end(), [&](const Recent& recent) {
        return recent.keyHash == image.keyHash && recent.key == image.key;
    });
    if (same != m_recent.end()) {
        painter.drawImage(target, same->standIn);
        std::rotate(same, same + 1, m_recent.end()); // the newest again: kept while it repeats
        return;
    }
    if (image.samples.empty() && m_error == 0)
        m_error = -1;
    Recent recent{std::move(image.key), image.keyHash, StandIn()};
    const int before = LastImageObject(m_device.Tail());
    painter.drawImage(target, recent.standIn);
    // The writer has just written the stand-in's object: the picture takes its number.
    const int object = LastImageObject(m_device.Tail());
    if (object <= before || (!m_stored.empty() && object <= m_stored.back().object)) {
        if (m_error == 0)
            m_error = -1;
    } else {
        Store(object, image);
    }
    if (m_recent.size() == kRecentPictures)
        m_recent.erase(m_recent.begin());
    m_recent.push_back(std::move(recent));
}

void ReportImageObjects::Store(int object, const ReportImage& image)
{
    if (m_error != 0)
        return;
    const std::string bytes = ObjectBytes(object, image);
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_error = LastError();
        return;
    }
    m_stored.push_back({object, m_fileBytes});
    m_fileBytes += bytes.size();
}

int ReportImageObjects::Finish()
{
    PdfTrailer trailer;
    if (m_error == 0 && !FindPdfTrailer(m_device.Tail(), trailer))
        m_error = -1;
    if (m_error != 0)
        return m_error;
    const qint64 base = m_device.Size();
    if (const int error = CopyStored(base))
        return error;
    std::string table = "xref\n";
    for (const Stored& stored : m_stored) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "%d 1\n%010llu 00000 n \n", stored.object,
                      static_cast<unsigned long long>(static_cast<std::uint64_t>(base) + stored.offset));
        table += entry;
    }
    const qint64 tableAt = m_device.Size();
    table += "trailer\n<<" + trailer.entries + "/Prev " + std::to_string(trailer.crossReference) + "\n>>\nstartxref\n" +
             std::to_string(tableAt) + "\n%%EOF\n";
    return m_device.Append(table) ? 0 : m_device.Error();
}

// The stored objects, as they are, after the writer's bytes.
int ReportImageObjects::CopyStored(qint64 base)
{
    errno = 0;
    if (std::fflush(m_file) != 0 || std::fseek(m_file, 0, SEEK_SET) != 0)
        return LastError();
    std::string chunk(1 << 16, '\0');
    std::uint64_t copied = 0;
    while (copied < m_fileBytes) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), m_fileBytes - copied));
        errno = 0;
        if (std::fread(chunk.data(), 1, wanted, m_file) != wanted)
            return LastError();
        if (!m_device.Append(std::string_view(chunk.data(), wanted)))
            return m_device.Error();
        copied += wanted;
    }
    return m_device.Size() == base + static_cast<qint64>(m_fileBytes) ? 0 : EIO;
}
