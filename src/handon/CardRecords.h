#pragma once

#include "data/CDataItem.h"
#include "handon/HandOn.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CardTree;

// One record of a scanned card with where it lies on the card.
struct CardRecord {
    int id = 0;
    std::optional<CDataItem> item;
    std::string folder; // the measurement folder's name as the file system gives it
    DataKind kind = kindFolder;
};

// Every record of the card in scan order: measurement folder by folder (in
// the order the scan met them), within a folder LEVEL, BER, SKY, CONSTEL,
// MULTI, each kind in record order. Valid until the tree's next scan.
std::vector<CardRecord> CardRecords(const CardTree& tree);

// The measurement folders in scan order, each once.
std::vector<std::string> MeasurementFolders(const std::vector<CardRecord>& records);

// The records of the selected measurement folders, in scan order.
std::vector<CardRecord> SelectedRecords(const CardTree& tree, const FolderSelection& folders);

// Calls `visit` with each record of the selected folders in scan order, made
// one at a time from the tree, so that a large card's records are never all
// held at once. Stops, returning false, when `visit` returns false. The
// record passed is valid during the call only.
bool ForEachRecord(const CardTree& tree, const FolderSelection& folders,
                   const std::function<bool(const CardRecord&)>& visit);
// How many records ForEachRecord visits.
int CountSelectedRecords(const CardTree& tree, const FolderSelection& folders);
