#pragma once

#include "data/RecordRow.h"
#include "data/ValueState.h"
#include "screens/Canvas.h"
#include "screens/Font.h"
#include "screens/ShownValues.h"

#include <array>
#include <map>
#include <string>

// A text field of the main window that a screen fills: the kind-name and the
// data-name fields. The core knows no widgets, so whoever shows the fields
// provides one.
class TextField {
public:
    virtual ~TextField() = default;
    virtual void SetText(const std::string& text) = 0;
};

// A text field that keeps its text in a string.
class StringField : public TextField {
public:
    explicit StringField(std::string& text) : m_text(text) {}
    void SetText(const std::string& text) override { m_text = text; }

private:
    std::string& m_text;
};

// The base of every screen (and of the cell painter): its own font set, the
// modulation correction table and the display fields the screens share.
// Texts are the card's bytes (Shift-JIS); program texts are converted once.
class CScreen {
public:
    CScreen();
    virtual ~CScreen() = default;

    // Puts the data name into the main window's data-name field.
    virtual void SetCaption(TextField& field) const { field.SetText(m_strCaption); }
    // Draws the whole screen. Empty here; each screen has its own.
    virtual void Draw(Canvas&) {}
    // Turns the screen's record copy into its display fields.
    virtual void Prepare() {}
    // The values the screen shows as it stands, in drawing order. The
    // picture, `kr80a show`, the report and the summary all read them here.
    virtual ShownRecord Shown() const { return {}; }

    // Puts the kind name into the main window's kind-name field.
    void SetSystemLabel(TextField& field) const { field.SetText(m_strSystemLabel); }

    // Fonts 1 to 6 by number (cell sizes in CScreen.cpp); any other number
    // selects font 0. The font stays selected in dc.
    void SelectFont(int number, Canvas& dc) const;

    // Fills (1, 225)-(66, 240) white.
    void ClearFooterLabel(Canvas& dc) const;
    // Bottom line of terrestrial and cable layouts: "変調方式" and m_strModulation.
    void DrawModulationFooter(Canvas& dc) const;
    // Bottom line of satellite layouts: "ｺﾝﾊﾞｰﾀｰ" and m_strConverter + "GHz".
    void DrawConverterFooter(Canvas& dc) const;

    // The over-range test of a level: the level column 6 with the correction
    // of column 10.
    double InputLevel(const RecordRow& row, int nClass) const;
    ValueState LevelState(const RecordRow& row, int nClass) const;
    // The same for the second SKY row: level column 24 with its own
    // correction, column 27.
    double InputLevel2(const RecordRow& row, int nClass) const;
    ValueState LevelState2(const RecordRow& row, int nClass) const;

    // Modulation name -> correction in dB, both as text.
    std::map<std::string, std::string> ModulationCorrectionTable;

    std::string m_strBandName;
    std::string m_strSystemLabel;
    std::string m_strCaption;
    int m_nClass = 0;
    std::string m_strConverter;
    std::string m_strModulation;
    int m_nClassHint = 0;
    int m_nSystem = 0;
    std::string m_strBandName2;
    std::string m_strModulation2;

private:
    std::array<Font, 7> m_fonts;
};

// Fills (1, 1)-(w - 1, h - 1) white: the face inside the frame.
void ClearScreen(Canvas& dc);
// Frames (0, 0)-(w, h) black: the screen's one-pixel border.
void FrameScreen(Canvas& dc);

// A box's outline: the top rule from (x0, y0) with its bevel closing the
// label row, and the second bevel continuing down to y2 as the right edge x1.
void DrawBoxOutline(Canvas& dc, int x0, int y0, int x1, int y2);

// The two measurement rows: A from y 112, B from y 168.
enum class CellRow { A, B };

// Draws the meter's labelled measurement cells at their fixed positions.
// Being a CScreen gives it a font set of its own.
class CCellPainter : public CScreen {
public:
    void DrawBandNameCell(Canvas& dc, std::string name) const;
    void DrawSatelliteNameCell(Canvas& dc, std::string name, CellRow row) const;
    void DrawChannelCell(Canvas& dc, std::string channel, CellRow row) const;
    void DrawChannelTag(Canvas& dc, std::string text, CellRow row) const;
    // Row B only.
    void DrawFrequencyCell(Canvas& dc, std::string frequency) const;
    void DrawLevelCell(Canvas& dc, std::string level, ValueState state, CellRow row) const;
    void DrawCorrectionTag(Canvas& dc, bool on, CellRow row) const;
    // limitMark: 0 none, 1 "以下", 2 "以上".
    void DrawCnCell(Canvas& dc, std::string cn, int limitMark, CellRow row) const;
    // Row B only.
    void DrawMerCell(Canvas& dc, std::string mer, int limitMark) const;
    void DrawBerCell(Canvas& dc, std::string ber, CellRow row) const;
};

// The part the LEVEL, BER and SKY screens share: the painter, the screen's
// own copy of the record and the shared load.
class RecordScreen : public CScreen {
public:
    // Null: m_nClass becomes 0 and nothing else changes. Otherwise copies the
    // row into m_row and runs Prepare.
    void Load(const RecordRow* row);

    CCellPainter m_painter;
    RecordRow m_row;

protected:
    // The fields every record screen takes alike from its row: system code,
    // class hint and class, caption, band name and converter.
    void PrepareCommonFields();
};
