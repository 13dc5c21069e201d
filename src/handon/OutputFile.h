#pragma once

#include <string>
#include <string_view>

// Writes `bytes` to `path` whole or not at all: into a temporary file in the
// same folder first, renamed onto `path` once every byte is written, so no
// reader (and no interrupted run) ever meets a half file. Replaces an
// existing file. On failure the temporary file is removed, `path` is left as
// it was and `error` holds the system's reason.
bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string& error);

// Whether `path` (existing or not) is `folder` or lies below it, symbolic
// links resolved: the card is only ever read, so no output may land in it.
bool LiesInside(const std::string& path, const std::string& folder);
