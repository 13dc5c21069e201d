#pragma once

#include "data/RecordRow.h"
#include "screens/CScreen.h"

#include <string>

class Canvas;

// The constellation screen: band, channel, hierarchy layer and MER boxes on
// the left, the plot square on the right with the meter's own dot picture
// copied into it, and the modulation line at the bottom.
//
// Who calls it: the record display loads it on a CONSTEL selection with the
// record and the path of its dot picture as the card scan found it, and draws
// it on every paint. Each Draw reads the dot picture again.
class CConstelScreen : public CScreen {
public:
    // Size of a dot picture: 26 byte columns of 193 pixel rows.
    static constexpr int kPictureColumns = 26;
    static constexpr int kPictureRows = 193;

    // `picturePath` is the dot picture's file, or empty for a screen without dots.
    void Load(const RecordRow& row, const std::string& picturePath);
    void Prepare() override;
    void Draw(Canvas& dc) override;

    // The hierarchy layer the screen shows ("A" or "B"), or none when the
    // system code has no layout and the screen stays blank.
    const char* LayerLetter() const;

    RecordRow m_row;
    std::string m_strChannel;
    std::string m_strMer;
    unsigned char m_nMerLimit = 0;
    std::string m_strPicturePath;

private:
    void PrepareMer();
    void DrawBandBox(Canvas& dc);
    void DrawChannelBox(Canvas& dc);
    void DrawLayerBox(Canvas& dc, const char* layer);
    void DrawMerBox(Canvas& dc);
    void DrawPlotSquare(Canvas& dc, bool dottedGrid);
    void DrawDots(Canvas& dc);
};
