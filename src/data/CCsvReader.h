#pragma once

#include "data/CsvRow.h"
#include "data/ReadOnlyFile.h"

#include <string>
#include <vector>

class CardBounds;
class CardFolder;
class Messages;

// Reads one count file or one values file of the card into texts and rows.
// A reader serves for one file; its file stays open until it is destroyed.
class CCsvReader {
public:
    enum FieldResult : short {
        fieldSeparator = 0,
        fieldEndOfFile = -2,
        fieldEndOfLine = -3,
        // The line passed kMaxLineBytes or kMaxLineFields; nothing of it is kept.
        fieldLineTooLong = -4,
    };

    explicit CCsvReader(Messages& messages);

    // Reads bytes up to the separator or a line feed into m_strField, within
    // the limits of one line (ReadLimits.h). A read error passes to the caller
    // as FileException.
    short ReadField(char separator);

    // 0 when its two lines were read, -1 when it could not be opened
    // (silently), a read error occurred (after the file error box) or one of
    // its two lines is too long (after a box naming it). Later lines mean
    // nothing and are not read.
    int ReadCount(const std::string& path);

    // Rows stored, or -1 when it could not be opened (after the file error
    // box), holds no line feed at all, or a read error occurred. A line that
    // is too long, or a data line past kMaxRecordsPerFile, ends the reading
    // with one box naming the file; the rows before it stay.
    int ReadCsv(const std::string& path);

    // The same for the file `name` in `folder`, taken as spelt when it is
    // there and otherwise found in another letter case (CardFolder).
    int ReadCount(const CardFolder& folder, const std::string& name);
    int ReadCsv(const CardFolder& folder, const std::string& name);
    // Files that resolve outside `bounds` are not read: they fail silently
    // and LeftOutside() says so. `bounds` must outlive the reader.
    void KeepWithin(const CardBounds& bounds) { m_pBounds = &bounds; }
    // The last file tried resolved outside the bounds and was not read.
    bool LeftOutside() const { return m_bOutside; }
    // The last file tried was found and opened.
    bool Found() const { return m_bFound; }
    // The last file tried was there but could not be opened or read.
    bool Unreadable() const { return m_bUnreadable; }
    // The path of the file last read (or tried), as found on disk.
    const std::string& Path() const { return m_strPath; }

    // Positive once n line feeds have been read, 0 for n = 0, -1 at the end
    // of the file or at a line that is too long.
    int SkipLines(int n);

    // The last read stopped at a limit, so the file holds more than was read.
    bool StoppedAtLimit() const { return m_nLongLine > 0 || m_bTooManyRows; }

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // Row `index` (0-based), or none.
    const CsvRow* GetRow(int index) const;
    void ClearRows() { m_rows.clear(); }

    int m_nRows = 0;
    std::string m_strVersion;
    std::string m_strCount;
    std::string m_strField;

private:
    void ReportError(FileErrorCause cause, const std::string& path);
    int ReadCountFile(const CardFolder* folder, const std::string& name);
    int ReadCsvFile(const CardFolder* folder, const std::string& name);
    // Opens `name` in `folder`, or the path `name` when there is no folder.
    bool OpenFile(const CardFolder* folder, const std::string& name, FileErrorCause* cause);
    bool OpenAsFound(const CardFolder* folder, const std::string& name, FileErrorCause* cause);
    void StartLine();
    short LineTooLong();
    void ReportLimit(bool wholeFile);

    Messages& m_messages;
    const CardBounds* m_pBounds = nullptr;
    bool m_bOutside = false;
    bool m_bFound = false;
    bool m_bUnreadable = false;
    std::string m_strPath;
    // Where the current line stands, and the first line (1-based) found too long.
    int m_nLine = 0;
    std::size_t m_nLineBytes = 0;
    std::size_t m_nLineSeparators = 0;
    int m_nLongLine = 0;
    bool m_bTooManyRows = false;
    std::vector<CsvRow> m_rows;
    ReadOnlyFile m_file;
};
