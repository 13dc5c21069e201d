#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG file of pixels 0xRRGGBB (top row first), made with libpng alone, so
// that any thread may make one: no Qt object is created, none outlives the
// thread that made it. A screen holds two to a few colours, so it is stored
// with a colour table at 1, 2, 4 or 8 bits a pixel (as RGB past 256 colours)
// at zlib's fastest level, which keeps it small and quick to make.
// Empty when libpng fails or the size does not fit the pixels.
std::string PngFileBytes(int width, int height, const std::vector<std::uint32_t>& pixels);
