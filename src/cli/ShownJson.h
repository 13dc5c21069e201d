#pragma once

#include <string>

struct ShownRecord;

// The values a screen shows, as the JSON object `kr80a show --json` prints
// under "fields": "values" in drawing order, each {"label", "text", "unit",
// "mark", "state"}, "channels" (one per bar of a multi-channel screen, from
// channel 1) and, for a multi-channel screen, "graph" {"top", "bottom",
// "cursor", "reference"}. The texts are UTF-8 as shown, without the blanks
// of their fixed widths; "state" is the level state, 0 normal, 1 not
// measured, 2 over range, 3 under range.
std::string ShownJson(const ShownRecord& shown);
