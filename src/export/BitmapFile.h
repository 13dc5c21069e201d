#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The Windows bitmap file a shown screen is kept in, built in two steps:
// BitmapToDib turns a captured bitmap into a DIB block (a 40-byte
// BITMAPINFOHEADER, a colour table at 8 bits per pixel or less, the pixel rows
// bottom row first, each padded to a multiple of 4 bytes), and WriteDibFile
// puts the 14-byte file header in front of it and writes the file.
//
// Who calls it: the viewer's save command with the pixels it grabbed from the
// window, and the command-line tool with the pixels of a canvas. No Qt here,
// so both can share it.

// A bitmap as captured, at the depth of the device it came from.
struct DeviceBitmap {
    int width = 0;
    int height = 0;
    // 1, 4, 8, 16, 24 or 32.
    int bitCount = 32;
    // Top row first, each row (width * bitCount + 7) / 8 bytes, no padding.
    // Pixels as the file stores them: blue, green, red (and an unused byte at
    // 32 bits); at 8 bits or less, indices into `colours`.
    std::vector<std::uint8_t> rows;
    // 0xRRGGBB; at most 2^bitCount entries, the missing ones black. Only
    // used at 8 bits per pixel or less.
    std::vector<std::uint32_t> colours;
};

// A 32-bit bitmap of pixels 0xRRGGBB, top row first (a canvas's pixels).
DeviceBitmap RgbBitmap(int width, int height, const std::vector<std::uint32_t>& pixels);

// Bytes of one pixel row in the DIB: rounded up to a multiple of 4.
std::uint32_t DibRowBytes(int width, int bitCount);

// Header, colour table and pixel rows. None when the bitmap describes no
// picture (no pixels, an unknown depth, too few bytes, too many colours).
using DibBlock = std::vector<std::uint8_t>;
std::optional<DibBlock> BitmapToDib(const DeviceBitmap& bitmap);

// The whole bitmap file: the 14-byte file header, then the DIB block. None
// when the block is too short to hold its header.
std::optional<std::vector<std::uint8_t>> DibFileBytes(const DibBlock& dib);

// Writes the bitmap file. The bytes go to a temporary file beside the target,
// which replaces the target only once it is complete: a failure never leaves
// half a file nor harms a file already there. False when the file could not
// be written; `error` then receives the errno of the failure.
bool WriteDibFile(const std::string& path, const DibBlock& dib, int* error = nullptr);
