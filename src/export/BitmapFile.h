#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The Windows bitmap file the viewer saves a shown screen to: a 14-byte file
// header, a 40-byte BITMAPINFOHEADER and the pixel rows bottom row first, at
// 32 bits per pixel (blue, green, red, 0), so no colour table and no padding.
//
// Who calls it: `kr80a show -o x.bmp`, with the pixels it has just painted.
// No Qt here, so the viewer can share it too.

// Pixels top row first, each 0xRRGGBB; pixels.size() must be width * height.
struct BitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The whole file as bytes.
std::vector<std::uint8_t> EncodeBitmapFile(const BitmapPixels& picture);

// Writes the file (creating it or replacing its contents); false when it
// could not be opened or written, in which case nothing is reported.
bool WriteBitmapFile(const std::string& path, const BitmapPixels& picture);
