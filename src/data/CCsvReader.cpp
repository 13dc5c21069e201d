#include "data/CCsvReader.h"

#include "data/CardBounds.h"
#include "data/CardFiles.h"
#include "data/Messages.h"
#include "data/ReadLimits.h"

CCsvReader::CCsvReader(Messages& messages) : m_messages(messages) {}

short CCsvReader::ReadField(char separator)
{
    m_strField.clear();
    const int delimiter =
        m_file.ReadUntil(separator, '\n', m_strField, kMaxLineBytes - m_nLineBytes);
    if (delimiter == ReadOnlyFile::kEndOfFile)
        return fieldEndOfFile;
    if (delimiter == ReadOnlyFile::kPastLimit)
        return LineTooLong();
    if (delimiter == '\n') {
        StartLine();
        return fieldEndOfLine;
    }
    m_nLineBytes += m_strField.size() + 1;
    if (m_nLineBytes > kMaxLineBytes || ++m_nLineSeparators >= kMaxLineFields)
        return LineTooLong();
    return fieldSeparator;
}

int CCsvReader::ReadCount(const std::string& path)
{
    return ReadCountFile(nullptr, path);
}

int CCsvReader::ReadCount(const CardFolder& folder, const std::string& name)
{
    return ReadCountFile(&folder, name);
}

int CCsvReader::ReadCsv(const std::string& path)
{
    return ReadCsvFile(nullptr, path);
}

int CCsvReader::ReadCsv(const CardFolder& folder, const std::string& name)
{
    return ReadCsvFile(&folder, name);
}

int CCsvReader::ReadCountFile(const CardFolder* folder, const std::string& name)
{
    m_strVersion = "****";
    m_strCount = "-1";
    FileErrorCause cause{};
    if (!OpenFile(folder, name, &cause))
        return -1;
    try {
        // Each line's value is its last field, so a later field of the same
        // line overwrites the one stored before it.
        int line = 0;
        for (;;) {
            const short result = ReadField(',');
            if (result == fieldLineTooLong) {
                m_bUnreadable = true;
                ReportLimit(true);
                return -1;
            }
            if (line == 0)
                m_strCount = m_strField;
            else
                m_strVersion = m_strField;
            if (result == fieldEndOfFile)
                break;
            if (result == fieldEndOfLine && ++line == 2)
                break; // later lines mean nothing
        }
    } catch (const FileException& error) {
        m_bUnreadable = true;
        ReportError(error.m_cause, "");
        return -1;
    }
    return 0;
}

int CCsvReader::ReadCsvFile(const CardFolder* folder, const std::string& name)
{
    m_nRows = 0;
    FileErrorCause cause{};
    if (!OpenFile(folder, name, &cause)) {
        if (!m_bOutside)
            ReportError(cause, m_strPath);
        return -1;
    }
    try {
        if (SkipLines(1) < 0) {
            if (m_nLongLine > 0)
                ReportLimit(false);
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
            if (field == 0 && !m_strField.empty() && m_strField[0] == '*') {
                m_nLongLine = 0; // however long, the end mark ends the data
                break;
            }
            if (result == fieldLineTooLong) {
                ReportLimit(false);
                break;
            }
            row.AddField(m_strField);
            if (result == fieldEndOfLine) {
                if (GetRowCount() == kMaxRecordsPerFile) {
                    m_bTooManyRows = true;
                    ReportLimit(false);
                    break;
                }
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
        m_bUnreadable = true;
        ReportError(error.m_cause, "");
        return -1;
    }
    m_nRows = GetRowCount();
    return m_nRows;
}

int CCsvReader::SkipLines(int n)
{
    for (int skipped = 0; skipped < n; ++skipped) {
        const short result = ReadField('\n');
        if (result == fieldEndOfFile || result == fieldLineTooLong)
            return -1;
    }
    return n > 0 ? 1 : 0;
}

const CsvRow* CCsvReader::GetRow(int index) const
{
    if (index < 0 || index >= GetRowCount())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(index)];
}

bool CCsvReader::OpenFile(const CardFolder* folder, const std::string& name, FileErrorCause* cause)
{
    m_nLine = 0;
    m_nLineBytes = m_nLineSeparators = 0;
    m_nLongLine = 0;
    m_bTooManyRows = false;
    m_bOutside = m_bUnreadable = m_bFound = false;
    const bool opened = OpenAsFound(folder, name, cause);
    if (opened && m_pBounds && !m_pBounds->ContainsOpenFile(m_file.Descriptor())) {
        m_file.Close();
        m_bOutside = true;
        return false;
    }
    if (!opened && *cause != FileErrorCause::NotFound)
        m_bUnreadable = true;
    m_bFound = opened;
    return opened;
}

bool CCsvReader::OpenAsFound(const CardFolder* folder, const std::string& name, FileErrorCause* cause)
{
    // The open answers whether the name is there as spelt; only when it is
    // not is the folder listed for another letter case. Once it is listed,
    // the listing answers first.
    m_strPath = !folder ? name : folder->Listed() ? folder->Find(name) : folder->SpeltPath(name);
    if (m_file.Open(m_strPath, cause))
        return true;
    if (!folder || *cause != FileErrorCause::NotFound)
        return false;
    const std::string found = folder->Find(name);
    if (found == m_strPath)
        return false;
    m_strPath = found;
    return m_file.Open(m_strPath, cause);
}

void CCsvReader::StartLine()
{
    ++m_nLine;
    m_nLineBytes = m_nLineSeparators = 0;
}

short CCsvReader::LineTooLong()
{
    m_nLongLine = m_nLine + 1;
    return fieldLineTooLong;
}

void CCsvReader::ReportError(FileErrorCause cause, const std::string& path)
{
    m_messages.ShowMessage(FileErrorText(cause, path));
}

void CCsvReader::ReportLimit(bool wholeFile)
{
    constexpr const char* kRestNotRead = "から後は読み込みませんでした。";
    std::string text = m_strPath;
    if (m_bTooManyRows) {
        text += " には " + std::to_string(kMaxRecordsPerFile) + " 件を超えるデータがあります。\n" +
                std::to_string(kMaxRecordsPerFile + 1) + " 件目" + kRestNotRead;
    } else {
        const std::string line = std::to_string(m_nLongLine);
        text += " の " + line + " 行目が長すぎます（1 行は " + std::to_string(kMaxLineBytes) +
                " バイト、" + std::to_string(kMaxLineFields) + " 項目まで）。\n";
        text += wholeFile ? "このファイルは読み込みませんでした。" : line + " 行目" + kRestNotRead;
    }
    m_messages.ShowMessage(text);
}
