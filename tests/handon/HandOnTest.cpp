#include "data/CardTree.h"
#include "data/Messages.h"
#include "handon/CardRecords.h"
#include "handon/PictureExport.h"
#include "handon/ReportPages.h"
#include "handon/SummaryTable.h"
#include "support/OutputFiles.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

class SilentMessages : public Messages {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return true; }
};

// A whole PNG: its signature first and its end chunk last.
bool WholePng(const std::string& bytes)
{
    static const std::string signature("\x89PNG\r\n\x1a\n", 8);
    return bytes.starts_with(signature) && bytes.size() > 20 && bytes.substr(bytes.size() - 8, 4) == "IEND";
}

// What a writer told its progress callback, and when to ask it to stop.
struct ProgressLog {
    std::vector<std::pair<int, int>> calls;
    int stopAt = -1; // asks to stop once this many records are done

    HandOnProgress Callback()
    {
        return [this](int done, int total) {
            calls.emplace_back(done, total);
            return stopAt < 0 || done < stopAt;
        };
    }
};

// One hand-on writer, run into an output folder outside the card.
struct Writer {
    const char* name;
    std::function<HandOnOutcome(const CardTree&, const fs::path& out, const HandOnProgress&)> run;
};

const Writer kWriters[] = {
    {"Pictures",
     [](const CardTree& tree, const fs::path& out, const HandOnProgress& progress) {
         return WritePictures(tree, {}, {out.string(), PictureFormat::Png}, progress);
     }},
    {"Report",
     [](const CardTree& tree, const fs::path& out, const HandOnProgress& progress) {
         fs::create_directories(out);
         return WriteReport(tree, {}, {(out / "report.pdf").string(), SAMPLE_CARD, {}}, progress);
     }},
    {"Table",
     [](const CardTree& tree, const fs::path& out, const HandOnProgress& progress) {
         fs::create_directories(out);
         return WriteSummaryTable(tree, {}, (out / "table.csv").string(), progress);
     }},
};

class HandOn : public testing::TestWithParam<Writer> {
protected:
    HandOn() : m_tree(m_messages)
    {
        m_tree.ScanDataRoot(SAMPLE_CARD);
        m_records = static_cast<int>(CardRecords(m_tree).size());
    }
    fs::path Out() const { return m_outputs.Path("out"); }

    SilentMessages m_messages;
    CardTree m_tree;
    int m_records = 0;
    TempCard m_outputs; // a folder outside the card
};

// Progress never goes back, and its last word is every record of the card.
TEST_P(HandOn, ProgressReachesTheTotal)
{
    ProgressLog log;
    const HandOnOutcome outcome = GetParam().run(m_tree, Out(), log.Callback());
    EXPECT_TRUE(outcome.Written()) << outcome.path << ": " << outcome.reason;
    EXPECT_EQ(outcome.done, m_records);
    EXPECT_EQ(outcome.total, m_records);
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.back(), std::make_pair(m_records, m_records));
    for (std::size_t i = 1; i < log.calls.size(); ++i)
        EXPECT_GE(log.calls[i].first, log.calls[i - 1].first);
}

// Stopped part-way: the pictures written are whole and no temporary file is
// left; a report or table leaves no file at all, and an older one as it was.
TEST_P(HandOn, StopPartWayLeavesOnlyWholeFiles)
{
    fs::create_directories(Out());
    std::ofstream(Out() / "report.pdf") << "older";
    std::ofstream(Out() / "table.csv") << "older";
    ProgressLog log;
    log.stopAt = 5;
    const HandOnOutcome outcome = GetParam().run(m_tree, Out(), log.Callback());
    EXPECT_EQ(outcome.status, HandOnOutcome::Status::Stopped);
    EXPECT_LT(outcome.done, m_records);
    EXPECT_EQ(ReadFile(Out() / "report.pdf"), "older");
    EXPECT_EQ(ReadFile(Out() / "table.csv"), "older");
    int pictures = 0;
    for (const std::string& file : FilesBelow(Out())) {
        if (file == "report.pdf" || file == "table.csv")
            continue;
        EXPECT_TRUE(file.ends_with(".png")) << file;
        EXPECT_TRUE(WholePng(ReadFile(Out() / file))) << file;
        ++pictures;
    }
    EXPECT_EQ(pictures, std::string(GetParam().name) == "Pictures" ? outcome.done : 0);
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, HandOn, testing::ValuesIn(kWriters),
                         [](const testing::TestParamInfo<Writer>& param) { return param.param.name; });

class HandOnFailure : public HandOn {};

// A picture whose name is taken by a folder cannot be written: the export
// stops there, names that file, and what it wrote before is whole.
TEST_F(HandOnFailure, PicturesStopAtTheFirstFileThatFails)
{
    ASSERT_TRUE(WritePictures(m_tree, {}, {Out().string(), PictureFormat::Png}, {}).Written());
    const std::set<std::string> names = FilesBelow(Out());
    const fs::path blocked = Out() / *std::next(names.begin(), 3);
    fs::remove_all(Out());
    fs::create_directories(blocked);

    const HandOnOutcome outcome = WritePictures(m_tree, {}, {Out().string(), PictureFormat::Png}, {});
    EXPECT_EQ(outcome.status, HandOnOutcome::Status::FileFailed);
    EXPECT_EQ(outcome.path, blocked.string());
    EXPECT_NE(outcome.error, 0);
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_LT(outcome.done, m_records);
    for (const std::string& file : FilesBelow(Out()))
        EXPECT_TRUE(WholePng(ReadFile(Out() / file))) << file;
}

// A picture that cannot be encoded fails the export like a failed write:
// it names that record's file, writes nothing for it, and what came before
// is whole.
TEST_F(HandOnFailure, PicturesStopAtAPictureThatCannotBeEncoded)
{
    std::atomic<int> encoded{0};
    PictureExportOptions options{Out().string(), PictureFormat::Png};
    options.encode = [&encoded](const Canvas& canvas, PictureFormat format) {
        return ++encoded == 4 ? std::string() : EncodePicture(canvas, format);
    };
    const HandOnOutcome outcome = WritePictures(m_tree, {}, options, {});
    EXPECT_EQ(outcome.status, HandOnOutcome::Status::FileFailed);
    EXPECT_TRUE(outcome.path.starts_with(Out().string() + "/")) << outcome.path;
    EXPECT_TRUE(outcome.path.ends_with(".png")) << outcome.path;
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_FALSE(fs::exists(outcome.path));
    EXPECT_LT(outcome.done, m_records);
    for (const std::string& file : FilesBelow(Out()))
        EXPECT_TRUE(WholePng(ReadFile(Out() / file))) << file;
}

// A folder that cannot be made (a file has its name) is named as such.
TEST_F(HandOnFailure, PicturesNameTheFolderThatCannotBeMade)
{
    fs::create_directories(Out());
    std::ofstream(Out() / "MANSION") << "a file";
    const HandOnOutcome outcome = WritePictures(m_tree, {}, {Out().string(), PictureFormat::Png}, {});
    EXPECT_EQ(outcome.status, HandOnOutcome::Status::FolderFailed);
    EXPECT_EQ(fs::path(outcome.path).parent_path(), Out() / "MANSION");
    EXPECT_NE(outcome.error, 0);
}

// The table handed on in blocks is the table made whole, and a stop hands on
// a beginning of it that ends with a whole line.
TEST_F(HandOnFailure, TableStreamedInBlocksIsTheWholeTable)
{
    const std::string whole = SummaryCsv(CardRecords(m_tree));
    std::string streamed;
    int pieces = 0;
    const auto sink = [&](std::string_view piece) {
        streamed += piece;
        ++pieces;
        return true;
    };
    ASSERT_TRUE(StreamSummaryCsv(m_tree, {}, {}, sink));
    EXPECT_EQ(streamed, whole);
    EXPECT_GE(pieces, 1);

    streamed.clear();
    ProgressLog log;
    log.stopAt = 3;
    EXPECT_FALSE(StreamSummaryCsv(m_tree, {}, log.Callback(), sink));
    EXPECT_TRUE(whole.starts_with(streamed));
    EXPECT_TRUE(streamed.empty() || streamed.ends_with("\r\n"));

    // A sink that cannot take a piece stops the table.
    int offered = 0;
    EXPECT_FALSE(StreamSummaryCsv(m_tree, {}, {}, [&](std::string_view) { return ++offered < 0; }));
    EXPECT_EQ(offered, 1);
}

// A report or table into a folder that is not there names the file.
TEST_F(HandOnFailure, ReportAndTableNameTheFileThatCannotBeWritten)
{
    const fs::path report = Out() / "missing" / "report.pdf";
    const fs::path table = Out() / "missing" / "table.csv";
    const HandOnOutcome reportOutcome = WriteReport(m_tree, {}, {report.string(), SAMPLE_CARD, {}}, {});
    const HandOnOutcome tableOutcome = WriteSummaryTable(m_tree, {}, table.string(), {});
    for (const auto& [outcome, path] : {std::pair{reportOutcome, report}, std::pair{tableOutcome, table}}) {
        EXPECT_EQ(outcome.status, HandOnOutcome::Status::FileFailed);
        EXPECT_EQ(outcome.path, path.string());
        EXPECT_FALSE(outcome.reason.empty());
        EXPECT_FALSE(fs::exists(path));
    }
}

// A selection of folders covers only their records, in every writer.
TEST_F(HandOnFailure, SelectionCoversOnlyTheChosenFolders)
{
    const FolderSelection chosen{"ROOFTOP"};
    const std::vector<CardRecord> records = SelectedRecords(m_tree, chosen);
    ASSERT_FALSE(records.empty());
    for (const CardRecord& record : records)
        EXPECT_EQ(record.folder, "ROOFTOP");
    const HandOnOutcome pictures = WritePictures(m_tree, chosen, {Out().string(), PictureFormat::Png}, {});
    EXPECT_EQ(pictures.done, static_cast<int>(records.size()));
    for (const std::string& file : FilesBelow(Out()))
        EXPECT_TRUE(file.starts_with("ROOFTOP/")) << file;
    const HandOnOutcome table = WriteSummaryTable(m_tree, chosen, m_outputs.Path("t.csv"), {});
    EXPECT_EQ(table.total, static_cast<int>(records.size()));
}

} // namespace
