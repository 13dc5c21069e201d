#include "data/CCsvReader.h"
#include "data/FileError.h"
#include "data/ReadLimits.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(const CCsvReader& reader)
{
    Rows rows;
    for (int i = 0; i < reader.GetRowCount(); ++i) {
        const CsvRow* row = reader.GetRow(i);
        std::vector<std::string> fields;
        for (std::size_t k = 0; k < row->FieldCount(); ++k)
            fields.emplace_back(row->Field(k));
        rows.push_back(fields);
    }
    return rows;
}

struct CountCase {
    const char* name;
    std::string bytes;
    std::string count;
    std::string version;
};

TEST(CountFile, LinesGiveCountAndVersion)
{
    const CountCase cases[] = {
        {"two lines, no final line feed", "12\n1.00", "12", "1.00"},
        {"CR LF lines keep their CR", "12\r\n1.00\r\n", "12\r", "1.00\r"},
        {"last field of a line counts", "a,b,12\nx,1.00\n", "12", "1.00"},
        {"line ending in a comma", "12,\n1.00\n", "", "1.00"},
        {"empty file", "", "", "****"},
        {"one line without line feed", "7", "7", "****"},
        {"one line with line feed", "5\n", "5", ""},
        {"third line ignored", "3\n1.00\nanything,at,all\n\n", "3", "1.00"},
        {"only CR bytes", "\r\r\r", "\r\r\r", "****"},
    };
    for (const CountCase& c : cases) {
        TempCard card;
        RecordedMessages messages;
        CCsvReader reader(messages);
        EXPECT_EQ(reader.ReadCount(card.Write("F.cnt", c.bytes)), 0) << c.name;
        EXPECT_EQ(reader.m_strCount, c.count) << c.name;
        EXPECT_EQ(reader.m_strVersion, c.version) << c.name;
        EXPECT_TRUE(messages.m_shown.empty()) << c.name;
    }
}

TEST(CountFile, MissingOrDirectoryIsSilentFailure)
{
    TempCard card;
    card.MakeFolder("dir.cnt");
    for (const std::string& path : {card.Path("missing.cnt"), card.Path("dir.cnt")}) {
        RecordedMessages messages;
        CCsvReader reader(messages);
        EXPECT_EQ(reader.ReadCount(path), -1);
        EXPECT_EQ(reader.m_strCount, "-1");
        EXPECT_EQ(reader.m_strVersion, "****");
        EXPECT_TRUE(messages.m_shown.empty());
    }
}

struct CsvCase {
    const char* name;
    std::string bytes;
    int result;
    Rows rows;
};

TEST(CsvFile, DataLinesBecomeRows)
{
    const CsvCase cases[] = {
        {"end mark stops the data", "h\na,b\nc\n*END\nd\n", 2, {{"a", "b"}, {"c"}}},
        {"empty fields kept", "h\na,,b\n", 1, {{"a", "", "b"}}},
        {"trailing comma gives an empty field", "h\na,\n", 1, {{"a", ""}}},
        {"CR stays in the last field", "h\r\na,b\r\n", 1, {{"a", "b\r"}}},
        {"unterminated last line dropped", "h\na\nb,c", 1, {{"a"}}},
        {"asterisk in second field is data", "h\na,*b\n", 1, {{"a", "*b"}}},
        {"empty line is one empty field", "h\na\n\nb\n", 3, {{"a"}, {""}, {"b"}}},
        {"header only", "h\n", 0, {}},
        {"header without line feed", "h", -1, {}},
        {"empty file", "", -1, {}},
        {"only CR bytes", "\r\r\r", -1, {}},
        {"NUL and binary bytes pass", std::string("h\n\0\xff,\x01\n", 7), 1,
         {{std::string("\0\xff", 2), "\x01"}}},
        {"end mark on the first data line", "h\n*\na\n", 0, {}},
    };
    for (const CsvCase& c : cases) {
        TempCard card;
        RecordedMessages messages;
        CCsvReader reader(messages);
        EXPECT_EQ(reader.ReadCsv(card.Write("F.CSV", c.bytes)), c.result) << c.name;
        EXPECT_EQ(RowsOf(reader), c.rows) << c.name;
        EXPECT_TRUE(messages.m_shown.empty()) << c.name;
    }
}

constexpr std::uintmax_t kTwoGiB = std::uintmax_t{2} << 30;

// A values file of a header and `lines` copies of `line` (each with its line feed).
std::string Lines(std::size_t lines, const std::string& line)
{
    std::string csv = "h\n";
    csv.reserve(csv.size() + lines * (line.size() + 1));
    for (std::size_t i = 0; i < lines; ++i)
        csv += line + "\n";
    return csv;
}

std::string TooLong(const std::string& path, int line, bool wholeFile = false)
{
    return path + " の " + std::to_string(line) + " 行目が長すぎます（1 行は " +
           std::to_string(kMaxLineBytes) + " バイト、" + std::to_string(kMaxLineFields) +
           " 項目まで）。\n" +
           (wholeFile ? "このファイルは読み込みませんでした。"
                      : std::to_string(line) + " 行目から後は読み込みませんでした。");
}

// Files far beyond anything the meter writes: reading stops at a limit, keeps
// the rows before it and says so once, naming the file.
TEST(CsvFile, HostileFilesStopAtALimitWithOneMessage)
{
    const std::string atLimit = std::string(kMaxLineBytes - 1, 'x') + ","; // 2 fields
    const std::string manyFields = std::string(kMaxLineFields - 1, ',');
    struct Case {
        const char* name;
        std::function<std::string(const TempCard&)> write;
        int result;
        std::size_t rows;
        int longLine; // 0: no message; -1: the too-many-records message
    } cases[] = {
        {"lines at the limits are read whole",
         [&](const TempCard& c) { return c.Write("F.CSV", Lines(2, atLimit) + manyFields + "\n"); },
         3, 3, 0},
        {"one byte past the line limit",
         [&](const TempCard& c) { return c.Write("F.CSV", Lines(2, "a,b") + atLimit + "x\nc\n"); },
         2, 2, 4},
        {"one field past the field limit",
         [&](const TempCard& c) { return c.Write("F.CSV", Lines(1, "a") + manyFields + ",\nc\n"); },
         1, 1, 3},
        {"a long end mark is still the end mark",
         [&](const TempCard& c) { return c.Write("F.CSV", Lines(1, "a") + "*" + atLimit + "\nc\n"); },
         1, 1, 0},
        {"2 GiB without a line feed (the header)",
         [&](const TempCard& c) { return c.WriteSparse("F.CSV", "", kTwoGiB); }, -1, 0, 1},
        {"2 GiB data line after a good one",
         [&](const TempCard& c) { return c.WriteSparse("F.CSV", Lines(1, "a"), kTwoGiB); }, 1, 1, 3},
        {"10,000 empty data lines are read whole",
         [&](const TempCard& c) { return c.Write("F.CSV", Lines(10000, "") + "*\n\n"); },
         10000, 10000, 0},
        {"an unterminated line after 10,000 is no record",
         [&](const TempCard& c) { return c.Write("F.CSV", Lines(10000, "") + "x"); },
         10000, 10000, 0},
        {"10 million empty data lines",
         [&](const TempCard& c) { return c.Write("F.CSV", Lines(10000000, "")); },
         10000, 10000, -1},
    };
    for (const Case& c : cases) {
        TempCard card;
        const std::string path = c.write(card);
        RecordedMessages messages;
        CCsvReader reader(messages);
        EXPECT_EQ(reader.ReadCsv(path), c.result) << c.name;
        EXPECT_EQ(static_cast<std::size_t>(reader.GetRowCount()), c.rows) << c.name;
        EXPECT_EQ(reader.StoppedAtLimit(), c.longLine != 0) << c.name;
        std::vector<std::string> expected;
        if (c.longLine > 0)
            expected.push_back(TooLong(path, c.longLine));
        else if (c.longLine < 0)
            expected.push_back(path + " には 10000 件を超えるデータがあります。\n"
                                      "10001 件目から後は読み込みませんでした。");
        EXPECT_EQ(messages.m_shown, expected) << c.name;
    }
    TempCard card;
    RecordedMessages messages;
    CCsvReader reader(messages);
    ASSERT_EQ(reader.ReadCsv(card.Write("F.CSV", Lines(1, atLimit) + manyFields + "\n")), 2);
    EXPECT_EQ(reader.GetRow(0)->Field(0), std::string(kMaxLineBytes - 1, 'x'));
    EXPECT_EQ(reader.GetRow(1)->FieldCount(), kMaxLineFields);
}

TEST(CountFile, LongLinesMakeItUnusableButLaterLinesAreNotRead)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::uintmax_t size;
        int result;
        int longLine;
    } cases[] = {
        {"2 GiB count line", "", kTwoGiB, -1, 1},
        {"2 GiB version line", "12\n", kTwoGiB, -1, 2},
        {"too long by one byte", std::string(kMaxLineBytes + 1, '1') + "\n1.00\n", 0, -1, 1},
        {"2 GiB third line is never read", "12\n1.00\n", kTwoGiB, 0, 0},
    };
    for (const Case& c : cases) {
        TempCard card;
        const std::string path = c.size ? card.WriteSparse("F.cnt", c.bytes, c.size)
                                        : card.Write("F.cnt", c.bytes);
        RecordedMessages messages;
        CCsvReader reader(messages);
        EXPECT_EQ(reader.ReadCount(path), c.result) << c.name;
        if (c.longLine > 0) {
            EXPECT_EQ(messages.m_shown, std::vector<std::string>{TooLong(path, c.longLine, true)})
                << c.name;
        } else {
            EXPECT_EQ(reader.m_strCount, "12") << c.name;
            EXPECT_EQ(reader.m_strVersion, "1.00") << c.name;
            EXPECT_TRUE(messages.m_shown.empty()) << c.name;
        }
    }
}

TEST(CsvFile, UnopenableFileShowsFileErrorBox)
{
    TempCard card;
    card.MakeFolder("DIR.CSV");
    struct Case {
        std::string path;
        std::string text;
    } cases[] = {
        {card.Path("NONE.CSV"), card.Path("NONE.CSV") + " が見つかりませんでした。"},
        {card.Path("DIR.CSV"), card.Path("DIR.CSV") + " へのｱｸｾｽは拒否されました。"},
    };
    for (const Case& c : cases) {
        RecordedMessages messages;
        CCsvReader reader(messages);
        EXPECT_EQ(reader.ReadCsv(c.path), -1);
        EXPECT_EQ(messages.m_shown, std::vector<std::string>{c.text});
    }
}

// Reads a file that is not readable to the reader's user; as root the read
// runs in a child process that has given up root.
bool UnreadableFileReportsAccessDenied(const std::string& path)
{
    RecordedMessages messages;
    CCsvReader reader(messages);
    return reader.ReadCsv(path) == -1 &&
           messages.m_shown == std::vector<std::string>{path + " へのｱｸｾｽは拒否されました。"};
}

TEST(CsvFile, UnreadableFileIsAccessDenied)
{
    TempCard card;
    const std::string path = card.Write("F.CSV", "h\na\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (geteuid() != 0) {
        EXPECT_TRUE(UnreadableFileReportsAccessDenied(path));
        return;
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
        _exit(dropped && UnreadableFileReportsAccessDenied(path) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(FileError, ErrnoMapsToTheTenCauses)
{
    const std::pair<int, FileErrorCause> cases[] = {
        {ENOENT, FileErrorCause::NotFound},       {ENAMETOOLONG, FileErrorCause::BadPath},
        {ENOTDIR, FileErrorCause::BadPath},       {EMFILE, FileErrorCause::TooManyOpenFiles},
        {EACCES, FileErrorCause::AccessDenied},   {EISDIR, FileErrorCause::AccessDenied},
        {ETXTBSY, FileErrorCause::SharingViolation}, {ENOLCK, FileErrorCause::LockViolation},
        {EIO, FileErrorCause::HardwareIo},        {ENOSPC, FileErrorCause::DiskFull},
        {EDQUOT, FileErrorCause::DiskFull},       {EFBIG, FileErrorCause::Other},
    };
    for (const auto& [error, cause] : cases)
        EXPECT_EQ(FileErrorCauseFromErrno(error), cause) << error;
    EXPECT_EQ(FileErrorText(FileErrorCause::EndOfFile, "/c/F.CSV"),
              "/c/F.CSV の末尾以降にｱｸｾｽしようとしました。");
    EXPECT_EQ(FileErrorText(FileErrorCause::Other, ""), " へのｱｸｾｽ中に不明なｴﾗｰが発生しました。");
    EXPECT_EQ(FileErrorText(FileErrorCause::DiskFull, "/x.bmp"), "ディスクの空き容量が不足しています");
}

} // namespace
