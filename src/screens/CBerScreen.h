#pragma once

#include "screens/CScreen.h"

#include <cstdint>
#include <string>

// One bit-error-rate measurement with the C/N or MER of the same signal. The
// system code chooses the layout, the lower-right cell and the display limits.
class CBerScreen : public RecordScreen {
public:
    void Prepare() override;
    void Draw(Canvas& dc) override;

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
    bool ShowsMer() const;
};
