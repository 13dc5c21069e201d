#pragma once

#include "data/CardTree.h"
#include "data/Messages.h"

#include <string>
#include <vector>

// The scan's message boxes for a terminal: each goes to standard error as one
// line, its line breaks shown as "\n", and is kept for a JSON report.
// A question is answered No.
class ConsoleMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;

    std::vector<std::string> m_shown;
};

// Item `id`'s tree label as UTF-8: a record's card bytes decoded, other
// labels as they are.
std::string DisplayLabel(const CardTree& tree, int id);

// `text` as a terminal may safely show it, on one line: control characters
// as escapes ("\n", "\r", "\t", "\x1b", C1 and bidirectional formatting
// characters as "\u009b", "\u202e"), and bytes that are not UTF-8 as "\xNN".
std::string OneLine(const std::string& text);

// The JSON array of a record's 28 columns, each decoded to UTF-8.
std::string RecordRowJson(const RecordRow& row);
// The same array appended to `out`.
void AppendRecordRowJson(std::string& out, const RecordRow& row);
// Card bytes decoded to UTF-8, as a JSON string literal appended to `out`.
void AppendCardTextJson(std::string& out, std::string_view cardBytes);

// Each sub-folder or file that the scan left out, as a note on standard error.
void NoteLeftOut(const CardTree& tree);
// The JSON array of what the scan left out: {"path": ..., "reason": ...}.
std::string LeftOutJson(const CardTree& tree);

// The JSON array of the shown messages.
std::string MessagesJson(const std::vector<std::string>& messages);
