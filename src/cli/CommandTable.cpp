// The commands of kr80a: their arguments, options and help texts.
#include "cli/Commands.h"

#include <QCoreApplication>

namespace {

// A text of the report's cover; left empty, the cover leaves it blank.
OptionDefinition CoverOption(const char* name, const char* description)
{
    return {.name = name, .valueName = "TEXT", .description = description, .mayBeEmpty = true};
}

} // namespace

const std::vector<Command>& ToolCommands()
{
    static const std::vector<Command> commands = {
        {{"tree",
          {"DATA_ROOT"},
          {{"json", nullptr, QT_TRANSLATE_NOOP("help", "one JSON document with every item, its row or channel rows, and\nthe scan's messages")}},
          QT_TRANSLATE_NOOP("help", "Prints the navigation tree of the card at DATA_ROOT, one item a line with its id.\n")},
         RunTreeCommand},
        {{"show",
          {"DATA_ROOT", "ID"},
          {{"keys", "LIST",
            QT_TRANSLATE_NOOP("help", "comma-separated left, right, up, down, enter, each optionally\n"
            "shift+; plain up and down move through the tree as the viewer's\n"
            "do, with every folder unfolded")},
           {"json", nullptr, QT_TRANSLATE_NOOP("help", "{\"screenId\", \"labels\", \"fields\"} of the shown screen instead")},
           {"o", "FILE", QT_TRANSLATE_NOOP("help", "writes the 320 x 240 screen with its frame to FILE (.png or .bmp)")}},
          QT_TRANSLATE_NOOP("help", "Selects item ID as the viewer does, draws it, then presses the panel keys of LIST.\n"
          "Prints the four labels around the screen (system label, record number, record\n"
          "count, data name), one a line.\n")},
         RunShowCommand},
        {{"export",
          {"DATA_ROOT", "OUTDIR"},
          {{"format", "png|bmp", QT_TRANSLATE_NOOP("help", "png (the default) or bmp")},
           {"force", nullptr, QT_TRANSLATE_NOOP("help", "writes into an OUTDIR that is not empty, replacing files of the same names")},
           {"quiet", nullptr, QT_TRANSLATE_NOOP("help", "no progress line")}},
          QT_TRANSLATE_NOOP("help", "Writes every record of the card as a picture of its screen, as show -o draws it,\n"
          "to OUTDIR/<measurement folder>/<kind>/<number>_<data name>.<png|bmp>.\n"
          "A multi-channel record is drawn as it first appears. Records are drawn on all cores;\n"
          "each file is written whole or not at all.\n")},
         RunExportCommand},
        {{"report",
          {"DATA_ROOT"},
          {{"o", "REPORT.pdf", QT_TRANSLATE_NOOP("help", "the PDF file to write"), false, true},
           {"folder", "NAME", QT_TRANSLATE_NOOP("help", "only measurement folder NAME (may be given more than once)"), true},
           {"quiet", nullptr, QT_TRANSLATE_NOOP("help", "no progress line")},
           CoverOption("title", QT_TRANSLATE_NOOP("help", "the cover's 件名 (subject)")),
           CoverOption("customer", QT_TRANSLATE_NOOP("help", "the cover's 顧客名 (customer)")),
           CoverOption("site", QT_TRANSLATE_NOOP("help", "the cover's 現場名 (site)")),
           CoverOption("worker", QT_TRANSLATE_NOOP("help", "the cover's 作業者 (worker)")),
           CoverOption("date", QT_TRANSLATE_NOOP("help", "the cover's 測定日 (date of measurement); otherwise the days\n"
                               "on which the card's values files were written")),
           CoverOption("instrument", QT_TRANSLATE_NOOP("help", "the cover's 測定器 (instrument)"))},
          QT_TRANSLATE_NOOP("help", "Writes a printable A4 report: a cover with the job's fields, the card's folder name,\n"
          "the date, the number of records per kind and per folder and a legend of the notation,\n"
          "then one section per measurement folder with every record's labels, screen picture\n"
          "and shown values.\n")},
         RunReportCommand},
        {{"summary",
          {"DATA_ROOT"},
          {{"o", "FILE.csv",
            QT_TRANSLATE_NOOP("help", "writes the table to FILE.csv (UTF-8 with a byte order mark, for\n"
            "spreadsheet programs) instead of standard output (UTF-8 without it)")}},
          QT_TRANSLATE_NOOP("help", "Writes the summary table as CSV: one line per channel of every record with its\n"
          "measurement folder, kind, number, count, data name, system label, band, channel\n"
          "number and name, frequency, and the shown level, C/N, MER and BER, each a plain\n"
          "number beside a state column (未測定, 範囲超過, 範囲未満, 以上, 以下).\n")},
         RunSummaryCommand},
    };
    return commands;
}

const Command* FindCommand(const std::string& name)
{
    for (const Command& command : ToolCommands())
        if (name == command.definition.name)
            return &command;
    return nullptr;
}
