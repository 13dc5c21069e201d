#pragma once

#include "app/settings/ProfileFile.h"

#include <string>
#include <vector>

// The report's cover fields that the viewer remembers for the next report,
// in the cover's order (件名, 顧客名, 現場名, 作業者, 測定日, 測定器): the
// keys of the viewer's section that hold them.
inline constexpr const char* kCoverKeys[] = {"Report_Title",  "Report_Customer", "Report_Site",
                                             "Report_Worker", "Report_Date",     "Report_Instrument"};

// Every field as stored (empty when missing), one per key.
std::vector<std::string> ReadCoverFields(const ProfileFile& file, const std::string& section);

// Stores every field, one per key; false when one could not be written.
bool WriteCoverFields(const ProfileFile& file, const std::string& section, const std::vector<std::string>& fields);
