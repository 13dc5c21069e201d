#pragma once

#include "data/WholeFile.h"

#include <QIODevice>

#include <string>
#include <string_view>

// The PDF on its way to the file, through the one writer of our files: it
// reaches the disk as it is made, never held whole in memory, and takes the
// file's place only when Commit says it is complete. The last bytes that
// passed are kept, for what the report adds after the PDF writer: the
// objects the writer has just begun and the trailer it ended with.
class ReportDevice : public QIODevice {
public:
    explicit ReportDevice(const std::string& path);

    // 0, or the errno of the first failure to write.
    int Error() { return Flush(); }
    int Commit()
    {
        const int error = Flush();
        return error != 0 ? error : m_file.Commit();
    }
    bool Empty() const { return m_bytes == 0; }
    // Every byte so far: where the next one lands in the file.
    qint64 Size() const { return m_bytes; }
    // The last bytes written (up to a few kilobytes).
    std::string_view Tail() const { return m_tail; }
    // Bytes of the report's own, after the writer's. False when they could not be written.
    bool Append(std::string_view bytes) { return writeData(bytes.data(), static_cast<qint64>(bytes.size())) >= 0; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    int Flush();

    WholeFileWriter m_file;
    std::string m_pending; // the writer's small pieces, gathered into large writes
    qint64 m_bytes = 0;
    std::string m_tail;
};

// What ends a PDF: its trailer dictionary's entries and where its last
// cross-reference table starts.
struct PdfTrailer {
    std::string entries; // between "<<" and ">>", as written
    long long crossReference = 0;
};

// The trailer at the end of `tail`, the last bytes of a PDF with a classic
// cross-reference table; false when there is none.
bool FindPdfTrailer(std::string_view tail, PdfTrailer& trailer);

// The number of the image object whose opening is the last one in `tail`
// ("12 0 obj" followed by an image dictionary); 0 when there is none.
int LastImageObject(std::string_view tail);
