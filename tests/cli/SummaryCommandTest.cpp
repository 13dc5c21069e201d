#include "cli/SmallCard.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// One line per channel of a record in scan order (folders by name), a value
// column holding a plain number or nothing and its state beside it; a field
// with a comma or a quote is quoted (RFC 4180).
constexpr const char* kTable =
    "測定フォルダ,種類,番号,件数,データ名,システム,バンド,チャンネル番号,チャンネル,周波数 [MHz],"
    "レベル [dBμV],レベル状態,C/N [dB],C/N状態,MER [dB],MER状態,BER,BER状態\r\n"
    "\"SITE,\"\"2\"\"\",多チャンネルデータ,1,1,MULTI-A,VU/CATV,VHF,1,C1,,60.0,,,,,,,\r\n"
    "\"SITE,\"\"2\"\"\",多チャンネルデータ,1,1,MULTI-A,VU/CATV,VHF,2,C2,,64.5,,,,,,,\r\n"
    "\"SITE,\"\"2\"\"\",多チャンネルデータ,1,1,MULTI-A,VU/CATV,VHF,3,C3,,,未測定,,,,,,\r\n"
    "SITE1,レベル測定データ,1,2,屋上/東,地上デジタル,UHF,,27,557,63.5,,,,,,,\r\n"
    "SITE1,レベル測定データ,2,2,A\xEF\xBF\xBD" "B,地上デジタル,UHF,,27,557,,未測定,,,,,,\r\n"
    "SITE1,BER測定データ,1,1,\"say \"\"hi\"\"\",地上デジタル,UHF,,27,557,,,5.0,以下,,,1.0E-8,\r\n";

TEST(SummaryCommand, WritesOneLinePerChannelToStandardOutput)
{
    SmallCard card;
    const RunResult r = RunKr80a("summary " + card.Root());
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string constel = "SITE1,コンスタレーションデータ,1,1," + [] {
        std::string name;
        for (int i = 0; i < 150; ++i)
            name += "測";
        return name;
    }() + ",地上デジタル,UHF,,27,,,,,,17.3,,,\r\n";
    EXPECT_EQ(r.out, kTable + constel);
}

TEST(SummaryCommand, AFileStartsWithAByteOrderMark)
{
    SmallCard card;
    TempCard outputs;
    const std::string path = outputs.Path("table.csv");
    const RunResult r = RunKr80a("summary " + card.Root() + " -o " + path);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::ifstream in(path, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(written.substr(0, 3 + std::string(kTable).size()), std::string("\xEF\xBB\xBF") + kTable);
}

TEST(SummaryCommand, RefusesWrongCallsAndAMissingCard)
{
    for (const char* arguments : {"", "ROOT -o", "ROOT ROOT", "ROOT --json"}) {
        std::string line = arguments;
        for (std::size_t at; (at = line.find("ROOT")) != std::string::npos;)
            line.replace(at, 4, "/tmp");
        EXPECT_EQ(RunKr80a("summary " + line).status, 2) << arguments;
    }
    EXPECT_EQ(RunKr80a("summary /nonexistent-card").status, 1);
}

} // namespace
