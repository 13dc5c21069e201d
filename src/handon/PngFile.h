#pragma once

#include <cstdint>
#include <span>
#include <string>

// A picture as a colour table and one index into it a pixel, as the screen
// canvas keeps it.
struct IndexedPixels {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> indices;  // width * height, row-major, top row first
    std::span<const std::uint32_t> colours; // 0xRRGGBB of each index
};

// A PNG file of the picture, made here without Qt, so that any thread may
// make one: no Qt object is created, none outlives the thread that made it.
// Only the colours that pixels use go into its colour table, so a screen of
// two to a few colours is stored at 1, 2 or 4 bits a pixel, and its rows are
// compressed by matching each against the row above, which keeps it small
// and quick to make.
// Empty when the size or an index does not fit.
std::string PngFileBytes(const IndexedPixels& picture);
