#pragma once

#include "cli/CardRecords.h"
#include "cli/ReportCover.h"

#include <string>
#include <vector>

class CardTree;
class Progress;

// What a report covers: the scanned card, the chosen records in scan order,
// the data root (the cover names only its folder), the folders asked for
// (none: the whole card) and the job it is handed out for.
struct ReportInput {
    const CardTree& tree;
    const std::vector<CardRecord>& records;
    std::string dataRoot;
    std::vector<std::string> folders;
    ReportCover cover;
};

// Writes the A4 PDF report to `path`, whole or not at all (an interrupt
// leaves no file). Needs a running QGuiApplication for its fonts. Empty when
// written; otherwise the reason, for the user.
std::string WriteReport(const ReportInput& input, const std::string& path, Progress& progress);
