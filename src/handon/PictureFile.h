#pragma once

#include <string>

class Canvas;

enum class PictureFormat { Png, Bmp };

// The file of a drawn screen as bytes: a PNG (with a colour table, since a
// screen holds a handful of colours) or the viewer's bitmap file. Safe to
// call from several threads at once.
std::string EncodePicture(const Canvas& canvas, PictureFormat format);

// The canvas as a Qt image: 8-bit with a colour table (32-bit in the case,
// which no screen draws, of more than 256 colours).
class QImage;
QImage ScreenImage(const Canvas& canvas);

// ".png" or ".bmp".
const char* PictureExtension(PictureFormat format);
