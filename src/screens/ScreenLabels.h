#pragma once

#include "data/DataKind.h"

#include <string>
#include <string_view>

class CDataItem;
class RecordRow;

// The two texts the main window shows beside a record's screen: the data
// name (caption) and the kind name (system label), in card bytes. The
// screens take theirs from here, and anyone who needs them for many records
// (the tree's filter) reads them from the item without preparing a screen;
// so both always agree.

// The data name of a record line (column 1); a multi-channel record's is
// that of its first channel.
std::string_view RowCaption(const RecordRow& row);

// The system label of each screen for the record's system code (column 18),
// " " for a code the screen does not know.
const std::string& LevelSystemLabel(int system);
const std::string& BerSystemLabel(int system);
const std::string& SkySystemLabel(int system);
const std::string& ConstelSystemLabel(int system);
// A multi-channel record's: its group (column 15 of its first channel,
// without trailing blanks), satellite groups after "BS･CS ".
std::string MultiSystemLabel(std::string_view group);
// Whether a multi-channel group is the cable and terrestrial one.
bool IsVuCatvGroup(std::string_view group);

// The system label of a single-line record of `kind` (LEVEL, BER, SKY or
// CONSTEL) whose line is `row`; " " for another kind. A kept text, so
// that a caller going through many records copies nothing.
const std::string& LineSystemLabel(DataKind kind, const RecordRow& row);

// What the screen of `item` shows as its caption and system label; empty
// for an item no screen shows (a folder, a multi-channel record without
// channels).
std::string_view RecordCaption(const CDataItem& item);
std::string RecordSystemLabel(const CDataItem& item);
