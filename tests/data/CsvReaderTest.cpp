#include "data/CCsvReader.h"
#include "data/FileError.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <cerrno>
#include <filesystem>
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

TEST(CsvFile, HugeLinesAndManyFieldsAreReadWhole)
{
    TempCard card;
    const std::string longField(10 * 1024 * 1024, 'x');
    std::string manyFields = "0";
    for (int i = 1; i < 10000; ++i)
        manyFields += "," + std::to_string(i);
    RecordedMessages messages;
    CCsvReader reader(messages);
    ASSERT_EQ(reader.ReadCsv(card.Write("F.CSV", "h\n" + longField + "\n" + manyFields + "\n")), 2);
    EXPECT_EQ(reader.GetRow(0)->Field(0).size(), longField.size());
    ASSERT_EQ(reader.GetRow(1)->FieldCount(), 10000u);
    EXPECT_EQ(reader.GetRow(1)->Field(9999), "9999");
    EXPECT_EQ(reader.GetRow(2), nullptr);
    EXPECT_EQ(reader.GetRow(-1), nullptr);
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

TEST(FileError, ErrnoMapsToTheNineCauses)
{
    const std::pair<int, FileErrorCause> cases[] = {
        {ENOENT, FileErrorCause::NotFound},       {ENAMETOOLONG, FileErrorCause::BadPath},
        {ENOTDIR, FileErrorCause::BadPath},       {EMFILE, FileErrorCause::TooManyOpenFiles},
        {EACCES, FileErrorCause::AccessDenied},   {EISDIR, FileErrorCause::AccessDenied},
        {ETXTBSY, FileErrorCause::SharingViolation}, {ENOLCK, FileErrorCause::LockViolation},
        {EIO, FileErrorCause::HardwareIo},        {ENOSPC, FileErrorCause::Other},
    };
    for (const auto& [error, cause] : cases)
        EXPECT_EQ(FileErrorCauseFromErrno(error), cause) << error;
    EXPECT_EQ(FileErrorText(FileErrorCause::EndOfFile, "/c/F.CSV"),
              "/c/F.CSV の末尾以降にｱｸｾｽしようとしました。");
    EXPECT_EQ(FileErrorText(FileErrorCause::Other, ""), " へのｱｸｾｽ中に不明なｴﾗｰが発生しました。");
}

} // namespace
