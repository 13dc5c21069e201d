#pragma once

#include "handon/ReportImage.h"

#include <QImage>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class QPainter;
class QRectF;
class ReportDevice;

// The screen pictures of a report, embedded as they were encoded on the
// workers rather than by the PDF writer, which would compress each one again,
// slowly and on the one thread that lays out the pages. The writer is given a
// one-pixel stand-in per distinct picture, which it places and names on the
// pages as any image (an image fills its placement whatever its pixel count);
// the pictures wait in an unnamed file and follow the writer's PDF as an
// update that gives each stand-in's object its picture. A picture equal to one
// drawn shortly before (the same measurement taken again) shares its object.
class ReportImageObjects {
public:
    // The pictures wait in `folder` (the report's), without a name.
    ReportImageObjects(ReportDevice& device, const std::string& folder);
    ~ReportImageObjects();
    ReportImageObjects(const ReportImageObjects&) = delete;
    ReportImageObjects& operator=(const ReportImageObjects&) = delete;

    void Draw(QPainter& painter, const QRectF& target, ReportImage image);

    // Once the writer has ended the PDF: appends the pictures and the update's
    // cross-reference table and trailer. 0, the errno of a failed write, or
    // -1 when the writer's PDF was not as expected or a picture could not be
    // encoded.
    int Finish();

private:
    struct Recent {
        std::string key;
        std::size_t keyHash = 0;
        QImage standIn;
    };
    struct Stored {
        int object = 0;
        std::uint64_t offset = 0; // in the temporary file
    };

    void Store(int object, const ReportImage& image);
    int CopyStored(qint64 base);

    ReportDevice& m_device;
    std::FILE* m_file = nullptr; // the encoded pictures, whole objects
    std::uint64_t m_fileBytes = 0;
    int m_error = 0;
    std::vector<Recent> m_recent; // newest last
    std::vector<Stored> m_stored;
};
