#include "cli/HelpText.h"

namespace {

struct CommandText {
    const char* name;
    const char* usage;
    const char* text;
};

constexpr CommandText kCommands[] = {
    {"tree", "kr80a tree DATA_ROOT [--json]",
     "Prints the navigation tree of the card at DATA_ROOT, one item a line with its id.\n"
     "  --json      one JSON document with every item, its row or channel rows, and\n"
     "              the scan's messages\n"},
    {"show", "kr80a show DATA_ROOT ID [--keys LIST] [--json] [-o FILE]",
     "Selects item ID as the viewer does, draws it, then presses the panel keys of LIST.\n"
     "Prints the four labels around the screen (system label, record number, record\n"
     "count, data name), one a line.\n"
     "  --keys LIST comma-separated left, right, up, down, enter, each optionally\n"
     "              shift+ (plain up and down would move the tree and are refused)\n"
     "  --json      {\"screenId\", \"labels\", \"fields\"} of the shown screen instead\n"
     "  -o FILE     writes the 320 x 240 screen with its frame to FILE (.png or .bmp)\n"},
    {"export", "kr80a export DATA_ROOT OUTDIR [--format png|bmp] [--force] [--quiet]",
     "Writes every record of the card as a picture of its screen, as show -o draws it,\n"
     "to OUTDIR/<measurement folder>/<kind>/<number>_<data name>.<png|bmp>.\n"
     "A multi-channel record is drawn as it first appears. Records are drawn on all cores;\n"
     "each file is written whole or not at all.\n"
     "  --format F  png (the default) or bmp\n"
     "  --force     writes into an OUTDIR that is not empty, replacing files of the same names\n"
     "  --quiet     no progress line\n"},
    {"report",
     "kr80a report DATA_ROOT -o REPORT.pdf [--folder NAME]... [--quiet] [--title TEXT] [--customer TEXT]\n"
     "       [--site TEXT] [--worker TEXT] [--date TEXT] [--instrument TEXT]",
     "Writes a printable A4 report: a cover with the job's fields, the card's folder name,\n"
     "the date, the number of records per kind and per folder and a legend of the notation,\n"
     "then one section per measurement folder with every record's labels, screen picture\n"
     "and shown values.\n"
     "  -o FILE     the PDF file to write\n"
     "  --folder N  only measurement folder N (may be given more than once)\n"
     "  --quiet     no progress line\n"
     "  --title, --customer, --site, --worker, --date, --instrument TEXT\n"
     "              the cover's 件名, 顧客名, 現場名, 作業者, 測定日 and 測定器; 測定日 is\n"
     "              otherwise the days on which the card's values files were written\n"},
    {"summary", "kr80a summary DATA_ROOT [-o FILE.csv]",
     "Writes one CSV line per record: measurement folder, kind, number, count, data name,\n"
     "system label, band, channel, frequency and the shown level, C/N, MER and BER.\n"
     "  -o FILE     writes the table to FILE (UTF-8 with a byte order mark, for spreadsheet\n"
     "              programs) instead of standard output (UTF-8 without it)\n"},
};

} // namespace

std::string ToolUsage()
{
    std::string usage;
    for (const CommandText& command : kCommands)
        usage += (usage.empty() ? "usage: " : "\n       ") + std::string(command.usage);
    return usage + "\n       kr80a [COMMAND] --help";
}

std::string ToolHelp()
{
    std::string help =
        "kr80a reads the memory card of a KR80/KR80A level meter exactly as the viewer does.\n"
        "Messages of the card scan go to standard error. Exit status: 0 done, 1 failed,\n"
        "2 a wrong call.\n";
    for (const CommandText& command : kCommands)
        help += std::string("\n") + command.usage + "\n" + command.text;
    return help;
}

std::string CommandHelp(const std::string& name)
{
    for (const CommandText& command : kCommands)
        if (name == command.name)
            return std::string("usage: ") + command.usage + "\n\n" + command.text;
    return ToolHelp();
}
