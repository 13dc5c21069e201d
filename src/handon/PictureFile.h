#pragma once

#include <string>

class Canvas;

enum class PictureFormat { Png, Bmp };

// The file of a drawn screen as bytes: a PNG (PngFile.h) or the viewer's
// bitmap file; empty when it cannot be made. Safe to call from several threads
// at once: no Qt object is made.
std::string EncodePicture(const Canvas& canvas, PictureFormat format);

// ".png" or ".bmp".
const char* PictureExtension(PictureFormat format);
