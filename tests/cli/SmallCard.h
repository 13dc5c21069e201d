#pragma once

#include "support/TempCard.h"

#include <map>
#include <string>

// A data line of 28 columns, the given ones filled, ended by CR LF.
inline std::string CsvLine(const std::map<int, std::string>& columns)
{
    std::string line;
    for (int k = 0; k < 28; ++k) {
        const auto found = columns.find(k);
        line += (k ? "," : "") + (found == columns.end() ? std::string() : found->second);
    }
    return line + "\r\n";
}

// A multi-channel data line of a VU/CATV measurement of three channels.
inline std::string ChannelLine(int channel, const std::string& level)
{
    return CsvLine({{1, "MULTI-A"}, {2, "VHF"}, {3, "C" + std::to_string(channel)}, {6, level}, {8, "64QAM"},
                    {10, "OFF"}, {13, "0"}, {14, "0"}, {15, "VU/CATV"}, {16, "1"}, {17, "3"}});
}

// Shift-JIS for 屋上 (rooftop) and 測 (measure); 東 (east) is "\x93\x8c".
constexpr const char* kRooftopSjis = "\x89\xae\x8f\xe3";
constexpr const char* kMeasureSjis = "\x91\xaa";

// Two measurement folders:
// - SITE1: LEVEL records 1 "屋上/東" (terrestrial, UHF 27, 557.14 MHz, 63.46 dBμ,
//   modulation OFDM, correction off) and 2 "A\x01B" (the same values, level
//   "---.-"); BER record 1 `say "hi"` (terrestrial, C/N 3.0, BER 1.0E-8);
//   CONSTEL record 1 with a data name of 150 × 測.
// - `SITE,"2"`: one MULTI record of three channels (60.0, 64.5, not measured).
class SmallCard {
public:
    SmallCard()
    {
        const std::map<int, std::string> level{{2, "UHF"}, {3, "27"}, {4, "OFDM"}, {5, "557.14"}, {6, "63.46"},
                                               {10, "OFF"}, {12, "1"}, {18, "0"}};
        auto with = [](std::map<int, std::string> columns, int k, const std::string& text) {
            columns[k] = text;
            return columns;
        };
        m_card.Write("SITE1/LEVEL/SITE1.cnt", "2\n1.00\n");
        m_card.Write("SITE1/LEVEL/SITE1.CSV", "header\r\n" + CsvLine(with(level, 1, std::string(kRooftopSjis) + "/\x93\x8c"))
                                                  + CsvLine(with(with(level, 1, "A\x01" "B"), 6, "---.-")));
        m_card.Write("SITE1/BER/SITE1.cnt", "1\n1.00\n");
        m_card.Write("SITE1/BER/SITE1.CSV",
                     "header\r\n" + CsvLine(with(with(with(level, 1, "say \"hi\""), 7, "3.0"), 19, "1.0E-8")));
        std::string longName;
        for (int i = 0; i < 150; ++i)
            longName += kMeasureSjis;
        m_card.Write("SITE1/CONSTEL/SITE1.cnt", "1\n1.00\n");
        m_card.Write("SITE1/CONSTEL/SITE1.CSV",
                     "header\r\n" + CsvLine({{0, "C01"}, {1, longName}, {2, "UHF"}, {3, "27"}, {8, "64QAM"},
                                             {18, "0"}, {20, "17.3"}}));
        m_card.Write("SITE,\"2\"/MULTI/COUNT.CNT", "1\n1.00\n");
        m_card.Write("SITE,\"2\"/MULTI/01.CSV",
                     "header\r\n" + ChannelLine(1, "60.0") + ChannelLine(2, "64.5") + ChannelLine(3, "---.-"));
    }

    const TempCard& Card() const { return m_card; }
    const std::string& Root() const { return m_card.Root(); }

private:
    TempCard m_card;
};
