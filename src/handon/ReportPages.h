#pragma once

#include "handon/HandOn.h"
#include "handon/ReportCover.h"

#include <string>

class CardTree;

struct ReportOptions {
    std::string path;     // the PDF file to write
    std::string dataRoot; // the cover names its folder
    ReportCover cover;
};

// Writes the A4 PDF report of the selected folders (a first page with the
// cover and the counts, then one section per measurement folder with a block
// per record) to `options.path`, whole or not at all: a stop or a failure
// leaves no new file (and an older one as it was). Needs a running
// QGuiApplication for its fonts; may run on any thread.
HandOnOutcome WriteReport(const CardTree& tree, const FolderSelection& folders, const ReportOptions& options,
                          const HandOnProgress& progress);
