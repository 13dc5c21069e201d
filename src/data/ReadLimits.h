#pragma once

#include <cstddef>

// How much of one card file is read. The meter writes lines of 28 short
// fields (about 200 bytes) and at most a few hundred records or channels to a
// file; these limits lie far above that, so that no file the meter wrote ever
// meets them, while a damaged or hostile file costs bounded memory and time:
// at most about kMaxRecordsPerFile × kMaxLineBytes bytes of text per file.
// Past a limit the rest of the file is not read; the user is told once.

// Bytes of one line, its line feed not counted (ten times a meter's line).
constexpr std::size_t kMaxLineBytes = 2048;
// Fields of one line (the meter writes 28; later fields are never used).
constexpr std::size_t kMaxLineFields = 256;
// Data lines of one values file: records of a single-file kind, channels of a
// multi-channel file.
constexpr int kMaxRecordsPerFile = 10000;
