#pragma once

#include "screens/CScreen.h"

#include <cstdint>
#include <string>

// One bit-error-rate measurement with the C/N or MER of the same signal. The
// system code chooses the layout, the lower-right cell and the display limits.
enum class BerLayout { None, Terrestrial, Satellite };

class CBerScreen : public RecordScreen {
public:
    void Prepare() override;
    ShownRecord Shown() const override;
    void Draw(Canvas& dc) override;
    // The layout the system code chooses, and whether its lower-right cell
    // holds the MER rather than the C/N.
    BerLayout Layout() const;
    bool ShowsMer() const;

    std::string m_strChannel;
    std::string m_strFrequency;
    std::string m_strCn;
    std::string m_strBer;
    std::string m_strMer;
    std::uint8_t m_nCnLimit = 0;
    std::uint8_t m_nMerLimit = 0;

private:
    void DrawTerrestrial(Canvas& dc) const;
    void DrawSatellite(Canvas& dc) const;
};
