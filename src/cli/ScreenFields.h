#pragma once

#include <string>

class RecordDisplay;

// The JSON object of the shown screen's members, named as the screens name
// them, with their values as they stand now (after the drawing and any keys):
// card texts decoded to UTF-8, per-channel tables as arrays from channel 1 to
// N, and the level states the drawing computes as "levelState" (and
// "levelState2" for the second SKY row). An empty object when nothing is shown.
std::string ScreenFieldsJson(const RecordDisplay& display);
