#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Canvas;

// A drawn screen as the image object of a PDF, ready to be written as it is.
// Only the colours that pixels use go into it, in its smallest lossless form:
// one bit a pixel of device grey where only black and white appear (as every
// screen but the multi-channel graph draws), else an index of 1, 2, 4 or 8
// bits a pixel into a colour table. Each screen pixel becomes `scale` x
// `scale` samples, so that no reader smooths the picture when it prints a
// pixel as several dots.
struct ReportImage {
    int width = 0;  // in samples
    int height = 0; // in samples
    int bitsPerSample = 1;
    std::string entries; // the image dictionary's entries but /Width, /Height and /Length
    std::string samples; // compressed (FlateDecode); empty when compression was not asked for
    // The screen as drawn, compactly (the colour entries and the packed pixels
    // at their own size): equal keys are equal pictures.
    std::string key;
    std::size_t keyHash = 0; // of `key`, to tell most unequal pictures apart at a glance
};

// Turns drawn screens into ReportImages. One per thread: it keeps its
// tables and rows from one picture to the next, and makes no Qt object.
class ReportImageEncoder {
public:
    // `scale` from 1 to 8.
    explicit ReportImageEncoder(int scale);
    ~ReportImageEncoder();
    ReportImageEncoder(const ReportImageEncoder&) = delete;
    ReportImageEncoder& operator=(const ReportImageEncoder&) = delete;

    ReportImage Encode(const Canvas& canvas);
    // Encode in two steps, for a caller that compresses only pictures it has
    // not seen: everything but the samples, then the samples.
    ReportImage Describe(const Canvas& canvas) const;
    void Compress(ReportImage& image);

private:
    struct Widenings;

    int m_scale;
    std::unique_ptr<Widenings> m_widenings;
    std::string m_rows; // the scaled samples, kept to save an allocation a picture
};
