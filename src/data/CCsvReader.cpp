#include "data/CCsvReader.h"

#include "data/Messages.h"

CCsvReader::CCsvReader(Messages& messages) : m_messages(messages) {}

short CCsvReader::ReadField(char separator)
{
    m_strField.clear();
    const int delimiter = m_file.ReadUntil(separator, '\n', m_strField);
    if (delimiter < 0)
        return fieldEndOfFile;
    if (delimiter == '\n')
        return fieldEndOfLine;
    return fieldSeparator;
}

int CCsvReader::ReadCount(const std::string& path)
{
    m_strVersion = "****";
    m_strCount = "-1";
    FileErrorCause cause{};
    if (!m_file.Open(path, &cause))
        return -1;
    try {
        // Each line's value is its last field, so a later field of the same
        // line overwrites the one stored before it.
        int line = 0;
        for (;;) {
            const short result = ReadField(',');
            if (line == 0)
                m_strCount = m_strField;
            else if (line == 1)
                m_strVersion = m_strField;
            if (result == fieldEndOfFile)
                break;
            if (result == fieldEndOfLine)
                line = line < 2 ? line + 1 : line;
        }
    } catch (const FileException& error) {
        ReportError(error.m_cause, "");
        return -1;
    }
    return 0;
}

int CCsvReader::ReadCsv(const std::string& path)
{
    m_nRows = 0;
    FileErrorCause cause{};
    if (!m_file.Open(path, &cause)) {
        ReportError(cause, path);
        return -1;
    }
    try {
        if (SkipLines(1) < 0) {
            m_file.Close();
            return -1;
        }
        ClearRows();
        CsvRow row;
        std::size_t field = 0;
        for (;;) {
            const short result = ReadField(',');
            if (result == fieldEndOfFile)
                break; // an unterminated last line is dropped
            if (field == 0 && !m_strField.empty() && m_strField[0] == '*')
                break; // the end mark
            row.AddField(m_strField);
            if (result == fieldEndOfLine) {
                const std::size_t bytes = row.ByteCount();
                const std::size_t fields = row.FieldCount();
                m_rows.push_back(std::move(row));
                row = CsvRow();
                row.Reserve(bytes + bytes / 4, fields);
                field = 0;
            } else {
                ++field;
            }
        }
    } catch (const FileException& error) {
        ReportError(error.m_cause, "");
        return -1;
    }
    m_nRows = GetRowCount();
    return m_nRows;
}

int CCsvReader::SkipLines(int n)
{
    for (int skipped = 0; skipped < n;) {
        const int byte = m_file.ReadByte();
        if (byte < 0)
            return -1;
        if (byte == '\n')
            ++skipped;
    }
    return n > 0 ? 1 : 0;
}

const CsvRow* CCsvReader::GetRow(int index) const
{
    if (index < 0 || index >= GetRowCount())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(index)];
}

void CCsvReader::ReportError(FileErrorCause cause, const std::string& path)
{
    m_messages.ShowMessage(FileErrorText(cause, path));
}
