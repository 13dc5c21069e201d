#pragma once

#include "handon/CardRecords.h"
#include "handon/HandOn.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CardTree;

// The summary table of a card as CSV text (UTF-8, lines ended by CR LF, no
// byte order mark), for spreadsheet programs: a header line, then one line
// per channel of every record in scan order (a record without values gets one
// line of its own columns). Columns:
//   測定フォルダ, 種類 (as the tree names the kind), 番号, 件数, データ名,
//   システム, バンド, チャンネル番号, チャンネル, 周波数 [MHz],
//   レベル [dBμV], レベル状態, C/N [dB], C/N状態, MER [dB], MER状態, BER, BER状態.
// A value column holds a plain number or nothing; its 状態 column beside it
// the notation (未測定, 範囲超過, 範囲未満, 以上, 以下). A text cell that a
// spreadsheet could take for a formula is made harmless (CsvTextField).
std::string SummaryCsv(const std::vector<CardRecord>& records);

// Receives the table piece by piece; false when the piece could not be taken.
using TableSink = std::function<bool(std::string_view)>;
// The table of the selected folders made a record at a time and handed to
// `write` in blocks as it grows, so that a large card's table is never held
// whole; progress is told record by record. False when the callback asked to
// stop or `write` failed (what was handed on so far is the table's beginning).
bool StreamSummaryCsv(const CardTree& tree, const FolderSelection& folders, const HandOnProgress& progress,
                      const TableSink& write);

// Writes the table of the selected folders to `path` with a UTF-8 byte order
// mark first, for spreadsheet programs, whole or not at all: a stop or a
// failure leaves no new file (and an older one as it was).
HandOnOutcome WriteSummaryTable(const CardTree& tree, const FolderSelection& folders, const std::string& path,
                                const HandOnProgress& progress);

// A text cell as a CSV field that no spreadsheet runs as a formula: one that
// begins with =, +, -, @, a tab or a carriage return gets a leading ' (shown
// as text, not computed) and quotes, as OWASP recommends; any field with a
// comma, quote or line break goes in quotes, its quotes doubled (RFC 4180).
std::string CsvTextField(const std::string& text);
