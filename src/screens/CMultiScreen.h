#pragma once

#include "data/RecordRow.h"
#include "data/ValueState.h"
#include "screens/CScreen.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Canvas;

// The colour (0xRRGGBB) of a channel's bar in the state of its level; the
// report's legend shows the same colours.
std::uint32_t BarColour(ValueState state);

// The multi-channel screen: the levels of all channels of one measurement as a
// bar graph on a dB scale, a ▲ cursor, an optional △ reference and a read-out
// line for the cursor channel. The header values come from channel 1's row.
//
// Who calls it: the record display loads it on a MULTI selection and draws it
// on every paint; while it is shown, the instrument keys call the seven key
// operations with the screen window's canvas, and each redraws what it changes.
//
// The per-channel tables hold channels 1 to kMaxChannels. A measurement with
// more channels shows its first kMaxChannels; a cursor column outside 1..N
// starts the cursor on channel 1; channels without a row (column 17 larger
// than the number of rows) get no bar and read as not measured.
class CMultiScreen : public CScreen {
public:
    static constexpr int kMaxChannels = 60;

    // The measurement's channel rows, channel n being rows[n - 1]. The screen
    // keeps its own copies; the rows may go away right after the call.
    void Load(const std::vector<RecordRow>& rows);
    void Prepare() override;
    ShownRecord Shown() const override;
    void Draw(Canvas& dc) override;

    void DrawBar(Canvas& dc, int channel);
    void ShowCursorChannel(Canvas& dc);
    void EraseMarkerRow(Canvas& dc);
    void DrawMarkers(Canvas& dc);
    void DrawReadout(Canvas& dc);
    void DrawLabels(Canvas& dc);
    virtual void HighlightLabels(Canvas& dc);

    // The state shown for the level difference cursor − reference.
    static ValueState DeltaState(ValueState reference, ValueState cursor);
    // The read-out's level as it stands: the cursor channel's level, or its
    // difference to the reference channel; the text is the one shown for a
    // Normal state.
    struct LevelReadout {
        ValueState state;
        std::string text;
    };
    LevelReadout Readout() const;
    // A level as the read-out prints it: "   %3.1f", rightmost five characters.
    static std::string ReadoutNumber(double level);

    // Key operations: each changes the state and redraws into dc.
    void PrevChannel(Canvas& dc);
    void NextChannel(Canvas& dc);
    void CoarserRange(Canvas& dc);
    void FinerRange(Canvas& dc);
    void RaiseScale(Canvas& dc);
    void LowerScale(Canvas& dc);
    void ToggleReference(Canvas& dc);

    // Channel n's row, or none (n outside the loaded rows).
    const RecordRow* ChannelRow(int n) const;
    // Table entries of channel n; channels outside 1..kMaxChannels read as
    // not measured, level 0, no correction. The tables are filled when the
    // rows are loaded, so that what the bars show is known without a drawing.
    double LevelOf(int n) const;
    ValueState StateOf(int n) const;
    int CorrectionOf(int n) const;
    // Left edge of channel n's bar and x of a marker under it.
    int BarLeft(int n) const;
    int MarkerX(int n) const;
    // The figure at the foot of the scale as it stands (m_nBottom is the one
    // of the last drawing, which the bars are drawn against).
    int ScaleBottom() const;
    bool IsSatelliteGroup() const { return m_nClass != 2; }

    std::vector<RecordRow> m_channels; // channel n is m_channels[n - 1]
    int m_nChannels = 0;
    int m_nRange = 0;
    int m_nStep = 8;
    int m_nSpan = 64;
    int m_nHalfSpan = 32;
    int m_nTop = 0;
    int m_nBottom = 0;
    int m_nTopMax = 0;
    int m_nBottomMin = 0;
    int m_nBarWidth = 16;
    int m_nBarGap = 8;
    int m_nCursor = 1;
    int m_nReference = -1;
    std::array<double, kMaxChannels + 1> m_dLevel{};         // index 1..60
    std::array<ValueState, kMaxChannels + 1> m_nState{};     // index 1..60
    std::array<int, kMaxChannels + 1> m_bCorrection{};       // index 1..60
    double m_dCursorLevel = 0.0;
    std::string m_strChannelName;

private:
    void FullDrawing(Canvas& dc);
    void DrawGrid(Canvas& dc);
    void DrawScaleLabels(Canvas& dc);
    void DrawFooter(Canvas& dc);
    void DrawLevelValue(Canvas& dc);
    void DrawCorrectionBox(Canvas& dc);
    void UpdateStep();
    void UpdateVuCatvLimits();
    void ClearTables();
    // Every loaded channel's level, state and correction, from its row.
    void FillTables();
    // The read-out and footer fields from the cursor channel's row; false
    // (and nothing changed) when that channel has no row.
    bool TakeCursorChannel();
};
