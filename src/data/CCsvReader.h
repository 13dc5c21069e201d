#pragma once

#include "data/CsvRow.h"
#include "data/ReadOnlyFile.h"

#include <string>
#include <vector>

class Messages;

// Reads one count file or one values file of the card into texts and rows.
// A reader serves for one file; its file stays open until it is destroyed.
class CCsvReader {
public:
    enum FieldResult : short {
        fieldSeparator = 0,
        fieldEndOfFile = -2,
        fieldEndOfLine = -3,
    };

    explicit CCsvReader(Messages& messages);

    // Reads bytes up to the separator or a line feed into m_strField.
    // A read error passes to the caller as FileException.
    short ReadField(char separator);

    // 0 when read to its end, -1 when it could not be opened (silently) or a
    // read error occurred (after the file error box).
    int ReadCount(const std::string& path);

    // Rows stored, or -1 when it could not be opened (after the file error
    // box), holds no line feed at all, or a read error occurred.
    int ReadCsv(const std::string& path);

    // Positive once n line feeds have been read, 0 for n = 0, -1 at the end of the file.
    int SkipLines(int n);

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

    Messages& m_messages;
    std::vector<CsvRow> m_rows;
    ReadOnlyFile m_file;
};
