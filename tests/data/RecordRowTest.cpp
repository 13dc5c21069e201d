#include "data/CCsvReader.h"
#include "data/CDataItem.h"
#include "data/CardText.h"
#include "data/RecordRow.h"
#include "data/RowTable.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

CsvRow RowOf(std::initializer_list<std::string> fields)
{
    CsvRow row;
    for (const std::string& field : fields)
        row.AddField(field);
    return row;
}

// Rows filled one after another through one buffer from lines of the given
// field counts, each kept as the buffer then held it, beside what a plain
// copy of its 28 columns holds. The buffer is gone on return, so the kept
// rows must not miss its blocks. Every `padEvery`-th line has a field of a
// few hundred bytes, so that storage fills up at many different places.
struct KeptRows {
    std::vector<RecordRow> rows;
    std::vector<std::array<std::string, RecordRow::kColumnCount>> expected;
};

KeptRows FillThroughOneBuffer(const std::vector<int>& counts, std::size_t padEvery = 0)
{
    KeptRows kept;
    RecordRow buffer;
    std::array<std::string, RecordRow::kColumnCount> plain{};
    for (std::size_t line = 0; line < counts.size(); ++line) {
        CsvRow row;
        for (int k = 0; k < counts[line]; ++k) {
            const bool padded = padEvery && line % padEvery == 0 && k == 1;
            const std::string field = std::to_string(line) + ":" + std::to_string(k) +
                                      std::string(padded ? 300u : 0u, 'x');
            row.AddField(field);
            if (k < RecordRow::kColumnCount)
                plain[static_cast<std::size_t>(k)] = field;
        }
        buffer.FillFromCsvRow(row);
        kept.rows.push_back(buffer);
        kept.expected.push_back(plain);
    }
    return kept;
}

// Enough rows, short and long mixed, to fill many chunks.
KeptRows RowsOverManyChunks()
{
    const std::vector<int> pattern = {28, 3, 1, 28, 2, 27, 1, 40, 5};
    std::vector<int> counts;
    for (int line = 0; line < 6000; ++line)
        counts.push_back(pattern[static_cast<std::size_t>(line) % pattern.size()]);
    return FillThroughOneBuffer(counts, 7);
}

void ExpectReadAsCopies(const KeptRows& kept)
{
    for (std::size_t line = 0; line < kept.rows.size(); ++line) {
        const RecordRow::ColumnList columns = kept.rows[line].Columns();
        for (int k = 0; k < RecordRow::kColumnCount; ++k) {
            const auto column = static_cast<std::size_t>(k);
            ASSERT_EQ(kept.rows[line].Column(k), kept.expected[line][column]) << line << " " << k;
            ASSERT_EQ(columns[column], kept.expected[line][column]) << line << " " << k;
        }
    }
}

TEST(RecordRow, ShortLineKeepsLaterColumnsLongLineIsCut)
{
    RecordRow row;
    std::initializer_list<std::string> full = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                               "10", "11", "12", "13", "14", "15", "16", "17", "18",
                                               "19", "20", "21", "22", "23", "24", "25", "26", "27",
                                               "28", "29", "30", "31", "32", "33", "34", "35", "36",
                                               "37", "38", "39"};
    row.FillFromCsvRow(RowOf(full));
    for (int k = 0; k < RecordRow::kColumnCount; ++k)
        EXPECT_EQ(row.Column(k), std::to_string(k));
    EXPECT_EQ(row.Column(28), "");

    row.FillFromCsvRow(RowOf({"a", "", "c"}));
    // All columns in one walk read as each column alone does.
    const RecordRow::ColumnList columns = row.Columns();
    for (int k = 0; k < RecordRow::kColumnCount; ++k)
        EXPECT_EQ(columns[static_cast<std::size_t>(k)], row.Column(k)) << k;
    EXPECT_EQ(row.Column(0), "a");
    EXPECT_EQ(row.Column(1), "");
    EXPECT_EQ(row.Column(2), "c");
    EXPECT_EQ(row.Column(3), "3");
    EXPECT_EQ(row.Column(27), "27");

    RecordRow fresh;
    fresh.FillFromCsvRow(RowOf({"a", "b", "c"}));
    EXPECT_EQ(fresh.Column(3), "");
}

// Rows that keep columns of earlier rows share them; every row, and every
// copy kept after its buffer moved on, must still read what a plain copy of
// the 28 columns would hold, whatever order of line lengths comes.
TEST(RecordRow, KeptColumnsReadAsCopiesInEveryOrderOfLineLengths)
{
    const std::vector<std::vector<int>> orders = {
        {28, 1, 1, 1},          // one long line, then short ones
        {28, 27, 20, 9, 3, 1},  // each shorter than the one before
        {1, 2, 5, 17, 28, 3},   // each longer, from an empty buffer
        {28, 5, 3, 5, 3, 5, 1}, // alternating
        {40, 3, 40, 3},         // long lines cut at 28 columns
    };
    for (const std::vector<int>& order : orders)
        ExpectReadAsCopies(FillThroughOneBuffer(order));
}

// Rows are stored many to a chunk; a short row keeps columns only of a row
// in its own chunk. Enough rows to fill many chunks, short and long mixed,
// each kept past the rows around it, must read as plain copies, and copies
// must outlive every other row (and the thread that made them).
TEST(RecordRow, RowsOverManyChunksReadAsCopies)
{
    KeptRows kept = RowsOverManyChunks();
    // A large row takes a chunk of its own and must read whole as well.
    RecordRow large;
    large.SetColumn(5, std::string(100000, 'L'));
    EXPECT_EQ(large.Column(5).size(), 100000u);
    EXPECT_EQ(large.Column(6), "");

    ExpectReadAsCopies(kept);
    // Rows read the same when every row made around them is gone.
    const std::array<std::size_t, 3> lines = {0, 2999, kept.rows.size() - 1};
    KeptRows survivors;
    for (std::size_t line : lines) {
        survivors.rows.push_back(kept.rows[line]);
        survivors.expected.push_back(kept.expected[line]);
    }
    kept = KeptRows();
    ExpectReadAsCopies(survivors);

    // Rows made on a thread that has ended still read.
    RecordRow fromThread;
    std::thread([&fromThread] { fromThread.FillFromCsvRow(RowOf({"t0", "t1"})); }).join();
    EXPECT_EQ(fromThread.Column(1), "t1");
    EXPECT_EQ(fromThread.Column(2), "");
}

// A table keeps rows by their place in the chunks it holds: rows over many
// chunks, empty rows, a row with a chunk of its own and rows added again
// long after they were made must read as plain copies once every other
// holder of them is gone.
TEST(RowTable, RowsReadAsCopiesAfterEveryOtherHolderIsGone)
{
    KeptRows kept = RowsOverManyChunks();
    RecordRow large;
    large.SetColumn(5, std::string(100000, 'L'));
    std::array<std::string, RecordRow::kColumnCount> largeColumns{};
    largeColumns[5] = std::string(100000, 'L');
    kept.rows.insert(kept.rows.begin() + 100, large);
    kept.expected.insert(kept.expected.begin() + 100, largeColumns);
    kept.rows.insert(kept.rows.begin() + 200, RecordRow());
    kept.expected.insert(kept.expected.begin() + 200, std::array<std::string, RecordRow::kColumnCount>{});
    // Rows from chunks long left behind.
    for (std::size_t line : {std::size_t{0}, std::size_t{3}, std::size_t{3000}}) {
        kept.rows.push_back(kept.rows[line]);
        kept.expected.push_back(kept.expected[line]);
    }

    RowTable table;
    table.Reserve(kept.rows.size());
    for (const RecordRow& row : kept.rows)
        table.Add(row);
    ASSERT_EQ(table.size(), kept.rows.size());
    KeptRows fromTable;
    fromTable.expected = kept.expected;
    kept = KeptRows();
    large = RecordRow();
    table.ShrinkToFit();
    for (std::size_t i = 0; i < table.size(); ++i)
        fromTable.rows.push_back(table[i]);
    ExpectReadAsCopies(fromTable);
}

TEST(RecordRow, SetColumnChangesOnlyThatColumn)
{
    RecordRow row;
    row.FillFromCsvRow(RowOf({"a", "bb", "ccc"}));
    row.SetColumn(1, "longer text");
    row.SetColumn(0, "");
    EXPECT_EQ(row.Column(0), "");
    EXPECT_EQ(row.Column(1), "longer text");
    EXPECT_EQ(row.Column(2), "ccc");
    RecordRow copy;
    copy.CopyFrom(row);
    EXPECT_EQ(copy, row);

    // Equality is by columns: a fresh row equals one filled with empty fields.
    CsvRow empties;
    for (int k = 0; k < RecordRow::kColumnCount; ++k)
        empties.AddField("");
    RecordRow filled;
    filled.FillFromCsvRow(empties);
    EXPECT_EQ(filled, RecordRow());
    EXPECT_NE(copy, RecordRow());
}

TEST(RecordRow, PlaceholderStatesAndCorrectionFlag)
{
    const std::pair<std::string, ValueState> states[] = {
        {"---.-", NotMeasured}, {"~~~.~", OverRange}, {"___._", UnderRange},
        {"65.3", Normal}, {" ---.-", Normal}, {"---.-\r", Normal}, {"", Normal},
    };
    for (const auto& [text, state] : states) {
        RecordRow row;
        row.SetColumn(6, text);
        row.SetColumn(24, text);
        EXPECT_EQ(row.ColumnState(6), state) << text;
        EXPECT_EQ(row.ColumnState(24), state) << text;
    }
    const std::pair<std::string, bool> flags[] = {
        {"OFF", false}, {"  OFF\r", false}, {"ON", true}, {"off", true}, {"", true}, {"O FF", true},
    };
    for (const auto& [text, on] : flags) {
        RecordRow row;
        row.SetColumn(10, text);
        EXPECT_EQ(CorrectionOn(row.Column(10)), on) << text;
    }
}

// A shared text must read the same through every copy, however the copies
// are made, moved and dropped, the first among them included.
TEST(SharedText, CopiesReadTheTextAfterTheOriginalGoes)
{
    const std::string text = "/card/KR80A/SITE00001/LEVEL/SITE00001.CSV";
    std::vector<SharedText> copies;
    {
        SharedText original(text);
        copies.push_back(original);           // copy
        SharedText moved(std::move(original)); // move
        EXPECT_EQ(original.Str(), "");
        copies.push_back(moved);
        SharedText assigned;
        assigned = moved; // copy assignment
        const SharedText& same = assigned;
        assigned = same; // onto itself
        copies.push_back(std::move(assigned));
    }
    for (const SharedText& copy : copies)
        EXPECT_EQ(copy.Str(), text);
    copies.erase(copies.begin());
    std::thread([copies]() mutable { copies.clear(); }).join();
    EXPECT_EQ(copies.back().Str(), text);
    EXPECT_EQ(SharedText().Str(), "");
}

TEST(DataItem, ChannelsAreFreshRowsKeyedFromOne)
{
    TempCard card;
    RecordedMessages messages;
    CCsvReader reader(messages);
    std::string csv = "h\n";
    for (int i = 1; i <= 12; ++i)
        csv += i == 2 ? "short\n" : "c" + std::to_string(i) + ",title,x,y\n";
    ASSERT_EQ(reader.ReadCsv(card.Write("01.CSV", csv)), 12);
    CDataItem item(kindMulti, 1, "3", "p", reader);
    ASSERT_EQ(item.m_channels.size(), 12u);
    EXPECT_EQ(item.Channel(1)->Column(0), "c1");
    EXPECT_EQ(item.Channel(2)->Column(1), ""); // not the line before it
    EXPECT_EQ(item.Channel(12)->Column(0), "c12");
    EXPECT_EQ(item.Channel(0), nullptr);
    EXPECT_EQ(item.Channel(13), nullptr);

    // A copy holds the same channels, and keeps them when the item goes.
    auto original = std::make_unique<CDataItem>(item);
    const CDataItem copy = *original;
    original.reset();
    ASSERT_EQ(copy.m_channels.size(), 12u);
    EXPECT_EQ(copy.Channel(12)->Column(0), "c12");
    EXPECT_TRUE(CDataItem(kindLevel, 1, "1", "p").m_channels.empty());
}

} // namespace
