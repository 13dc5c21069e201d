#pragma once

#include "data/RecordRow.h"
#include "screens/CScreen.h"
#include "screens/TextCodec.h"

#include <initializer_list>
#include <string>
#include <utility>

// Records written column by column in UTF-8, stored as the card's bytes.
inline RecordRow CardRow(std::initializer_list<std::pair<int, const char*>> columns)
{
    RecordRow row;
    for (const auto& [k, text] : columns)
        row.SetColumn(k, EncodeCardText(text));
    return row;
}

inline std::string Sjis(const char* utf8)
{
    return EncodeCardText(utf8);
}

// A screen's picture on a canvas that starts black, so that anything the
// screen leaves undrawn shows.
template <class Screen>
Canvas PictureOf(Screen& screen)
{
    Canvas canvas;
    canvas.fillRect({0, 0, 320, 240}, kBlack);
    screen.Draw(canvas);
    return canvas;
}

// The picture a layout must give, built from the cell operations it names.
class ExpectedPicture {
public:
    ExpectedPicture()
    {
        canvas.fillRect({0, 0, 320, 240}, kBlack);
        ClearScreen(canvas);
    }
    void modulationFooter(const std::string& modulation)
    {
        footer.m_strModulation = modulation;
        footer.DrawModulationFooter(canvas);
    }
    void converterFooter(const std::string& converter)
    {
        footer.m_strConverter = converter;
        footer.DrawConverterFooter(canvas);
    }

    Canvas canvas;
    CCellPainter painter;
    CScreen footer;
};

inline bool SamePicture(const Canvas& a, const Canvas& b)
{
    return a.pixels() == b.pixels();
}

// Only the frame left black: the layout drew nothing.
inline bool IsBlank(const Canvas& canvas)
{
    Canvas blank;
    blank.fillRect({0, 0, 320, 240}, kBlack);
    ClearScreen(blank);
    return SamePicture(canvas, blank);
}

// Nothing is drawn above the measurement rows.
inline bool TopIsWhite(const Canvas& canvas)
{
    for (int y = 1; y < 112; ++y)
        for (int x = 1; x < 319; ++x)
            if (canvas.pixel(x, y) != kWhite)
                return false;
    return true;
}
