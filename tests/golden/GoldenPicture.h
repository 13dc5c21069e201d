#pragma once

#include "screens/Canvas.h"

#include <optional>
#include <string>
#include <vector>

// The pixels of a stored picture or file written by kr80a (PNG or BMP),
// 0xRRGGBB row by row from the top; none when it cannot be read.
struct StoredPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};
std::optional<StoredPicture> ReadStoredPicture(const std::string& path);

// Where a drawing and a stored picture differ: how many pixels, and the
// first (in reading order). A size that differs counts every pixel.
struct PictureDifference {
    int count = 0;
    int x = -1;
    int y = -1;
    std::string Text() const;
};
PictureDifference Compare(const StoredPicture& stored, const Canvas& drawn);
