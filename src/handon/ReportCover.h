#pragma once

#include "handon/CardRecords.h"

#include <cstdint>
#include <string>
#include <vector>

// The job a report is handed out for, as the user gives it (UTF-8); an empty
// field is left off the cover. Without a `date` the cover gives the days the
// card's values files were written.
struct ReportCover {
    std::string title;
    std::string customer;
    std::string site;
    std::string worker;
    std::string date;
    std::string instrument;
};

// One line of the cover: its Japanese heading and its text.
struct CoverLine {
    std::string heading;
    std::string text;
};

// The fields given, in the cover's order (件名, 顧客名, 現場名, 作業者, 測定日,
// 測定器), each on one line: line breaks and other control characters become
// spaces. 測定日 falls back to `measuredDates`.
std::vector<CoverLine> CoverLines(const ReportCover& cover, const std::string& measuredDates);

// The days on which the records' values files were last written: "2026/12/01",
// or "2026/11/30 – 2026/12/01" for several days; empty when none can be read.
std::string MeasurementDates(const std::vector<CardRecord>& records);

// How the cover names the card: the data root's own folder name ("KR80A"),
// never the path that leads to it (which holds the user's name on a mounted card).
std::string CardName(const std::string& dataRoot);

// One notation of the value tables and screen pictures with its meaning; a
// bar colour of the multi-channel graph has `swatch` set.
struct LegendEntry {
    std::string notation;
    std::string meaning;
    bool swatch = false;
    std::uint32_t colour = 0; // 0xRRGGBB, for a swatch
};

// Every notation the report uses, in the legend's order.
std::vector<LegendEntry> LegendEntries();
