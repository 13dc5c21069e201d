#pragma once

#include "data/CDataItem.h"
#include "data/RecordRow.h"
#include "screens/CBerScreen.h"
#include "screens/CConstelScreen.h"
#include "screens/CLevelScreen.h"
#include "screens/CMultiScreen.h"
#include "screens/CSkyScreen.h"

#include <optional>
#include <string>

class Canvas;

// The keys of the meter's panel (the arrows and 決定).
enum class InstrumentKey { Up, Down, Left, Right, Enter };

// What the main window shows of the selected record: the five screens, the
// current-record buffer, which screen is shown and the four labels around it.
//
// Who calls what, and when (the viewer and `kr80a show` alike):
// - Select(item) when the tree's selection changes, with the selected item
//   (none for no selection or an item the table does not know); then Paint.
// - Paint(canvas) whenever the screen window must show its picture: after a
//   selection, on every repaint, and before the picture is saved or copied.
// - PressKey(key, shift, canvas) for a panel key (button or keyboard); the
//   canvas is the screen window's, which keeps its pixels between paints.
//   When it returns true the key belongs to the tree instead: the caller sends
//   the tree that arrow key (the tree then changes its selection, which comes
//   back here as Select). The keyboard's own arrow keys on the tree are the
//   viewer's business: while nothing is shown it lets the tree handle ← and
//   → whatever the shift state, and plain ↑ and ↓ always, without asking here.
// Labels are card bytes (Shift-JIS); the caller decodes them for display.
// Nothing here points into the item table, so a rescan may delete every item
// while a record is shown.
class RecordDisplay {
public:
    enum Label { kSystemLabel = 0, kNumber = 1, kCount = 2, kCaption = 3 };
    static constexpr int kLabelIds[4] = {1025, 1026, 1027, 1028};

    RecordDisplay() = default;
    RecordDisplay(const RecordDisplay&) = delete;
    RecordDisplay& operator=(const RecordDisplay&) = delete;

    void Select(const CDataItem* item);
    void Select(const std::optional<CDataItem>& item) { Select(item ? &*item : nullptr); }
    void Paint(Canvas& dc);
    bool PressKey(InstrumentKey key, bool shift, Canvas& dc);

    // Whether a record is shown (else the screen window shows nothing).
    bool ShowsRecord() const { return m_nScreenId != 0; }
    // 1 LEVEL, 2 BER, 3 SKY, 4 CONSTEL, 5 MULTI; 0 while nothing is shown.
    int ScreenId() const { return m_nScreenId; }
    // The screen object of ScreenId(), or none when nothing is shown.
    CScreen* ShownScreen();
    const CScreen* ShownScreen() const;
    const std::string& LabelText(Label label) const { return m_strLabels[label]; }

    // Constructed in this order, as the main window's members are.
    CLevelScreen m_levelScreen;
    CBerScreen m_berScreen;
    CSkyScreen m_skyScreen;
    CConstelScreen m_constelScreen;
    CMultiScreen m_multiScreen;
    RecordRow m_record;
    // 1025 system label, 1026 record number, 1027 record count, 1028 caption;
    // the texts they hold before the first selection.
    std::string m_strLabels[4] = {"", "0", "0", ""};

private:
    int m_nScreenId = 0;

    void ShowNothing();
    void SetLabels(const CScreen& screen, const CDataItem& item);
};

