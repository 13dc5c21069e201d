#pragma once

#include "screens/CScreen.h"

#include <string>

// One signal-level measurement as the meter shows it. The system code
// chooses the layout: terrestrial and cable, satellite, or satellite with C/N.
enum class LevelLayout { None, Terrestrial, Satellite, SatelliteWithCn };

class CLevelScreen : public RecordScreen {
public:
    void Prepare() override;
    ShownRecord Shown() const override;
    void Draw(Canvas& dc) override;
    // The layout the system code chooses.
    LevelLayout Layout() const;

    std::string m_strChannel;
    std::string m_strLevel;
    std::string m_strFrequency;
    std::string m_strCn;
    int m_bCorrection = 0;

private:
    void DrawTerrestrial(Canvas& dc) const;
    void DrawSatellite(Canvas& dc, bool withCn) const;
};
