#include "cli/SmallCard.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

namespace {

using CsvRow = std::vector<std::string>;

// Reads CSV text as a spreadsheet program does (RFC 4180: quoted fields may
// hold commas, doubled quotes and line breaks; lines end in CR LF).
std::vector<CsvRow> ParseCsv(const std::string& text)
{
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field), field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row.push_back(field), field.clear();
            rows.push_back(row), row.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

constexpr std::size_t kColumns = 18;
// 番号, 件数, チャンネル番号, 周波数, レベル, C/N, MER, BER
const std::set<std::size_t> kNumberColumns{2, 3, 7, 9, 10, 12, 14, 16};
const std::set<std::size_t> kStateColumns{11, 13, 15, 17};
const std::set<std::string> kStates{"", "未測定", "範囲超過", "範囲未満", "以上", "以下"};

bool IsNumber(const std::string& text)
{
    if (text.empty() || text[0] == '+' || text[0] == ' ')
        return false;
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

// What a spreadsheet user relies on, line by line: every line has every
// column, a number column holds a number or nothing, a state column one of
// the notations, and no text cell starts like a formula.
void ExpectSpreadsheetSafe(const std::vector<CsvRow>& rows)
{
    ASSERT_FALSE(rows.empty());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        ASSERT_EQ(row.size(), kColumns) << "line " << r + 1;
        if (r == 0)
            continue;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (kNumberColumns.count(c))
                EXPECT_TRUE(row[c].empty() || IsNumber(row[c])) << "line " << r + 1 << " column " << c << ": " << row[c];
            else if (kStateColumns.count(c))
                EXPECT_TRUE(kStates.count(row[c])) << "line " << r + 1 << " column " << c << ": " << row[c];
            else if (!row[c].empty())
                EXPECT_EQ(std::string("=+-@\t\r").find(row[c][0]), std::string::npos)
                    << "line " << r + 1 << " column " << c << ": " << row[c];
        }
    }
}

TEST(SummaryTable, TheSampleCardAndASmallCardReadAsASpreadsheetExpects)
{
    SmallCard card;
    for (const std::string root : {std::string(PROJECT_DIR) + "/samples/KR80A", card.Root()}) {
        const RunResult r = RunKr80a("summary '" + root + "'");
        ASSERT_EQ(r.status, 0) << r.err;
        ExpectSpreadsheetSafe(ParseCsv(r.out));
    }
}

// A card whose texts begin as formulas do: data names (trimmed by the card's
// rules, so no leading tab or CR) and measurement folder names (taken as the
// file system gives them).
class FormulaCard {
public:
    FormulaCard()
    {
        WriteFolder("SITE", {"=1+1", "+1", "-10dB \x95\xaa\x8a\xf2", "@SUM(A1)", "plain"}); // 分岐 in Shift-JIS
        WriteFolder("\tTAB", {"x"});
        WriteFolder("\rCR", {"y"});
    }
    const std::string& Root() const { return m_card.Root(); }

private:
    void WriteFolder(const std::string& folder, const std::vector<std::string>& names)
    {
        std::string csv = "header\r\n";
        for (const std::string& name : names)
            csv += CsvLine({{1, name}, {2, "UHF"}, {3, "27"}, {4, "OFDM"}, {5, "557.14"}, {6, "-3.2"},
                            {10, "OFF"}, {12, "1"}, {18, "0"}});
        m_card.Write(folder + "/LEVEL/" + folder + ".cnt", std::to_string(names.size()) + "\n1.00\n");
        m_card.Write(folder + "/LEVEL/" + folder + ".CSV", csv);
    }
    TempCard m_card;
};

TEST(SummaryTable, TextThatStartsLikeAFormulaIsMadeHarmless)
{
    FormulaCard card;
    const RunResult r = RunKr80a("summary '" + card.Root() + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<CsvRow> rows = ParseCsv(r.out);
    ExpectSpreadsheetSafe(rows);
    std::set<std::string> names;
    std::set<std::string> folders;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        folders.insert(rows[i][0]);
        names.insert(rows[i][4]);
        EXPECT_EQ(rows[i][10], "-3.2"); // a negative level stays a number
    }
    EXPECT_EQ(names, (std::set<std::string>{"'=1+1", "'+1", "'-10dB 分岐", "'@SUM(A1)", "plain", "x", "y"}));
    // A carriage return, like every control but the tab, becomes U+FFFD.
    EXPECT_EQ(folders, (std::set<std::string>{"SITE", "'\tTAB", "\xEF\xBF\xBD" "CR"}));
    // In the file itself the guarded cells are quoted and the number is not.
    for (const char* text : {"\"'=1+1\"", "\"'-10dB 分岐\"", "\"'\tTAB\"", "\n\xEF\xBF\xBD" "CR,", ",-3.2,"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

} // namespace
