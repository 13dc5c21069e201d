#pragma once

#include "screens/CScreen.h"

#include <cstdint>
#include <string>

// One SkyPerfect TV measurement: two measurement rows one above the other,
// showing their levels, BERs or C/Ns as the system code says.
enum class SkyQuantity { None, Levels, Bers, Cns };

class CSkyScreen : public RecordScreen {
public:
    void Prepare() override;
    ShownRecord Shown() const override;
    void Draw(Canvas& dc) override;
    // What both rows show, as the system code chooses (none: a blank screen).
    SkyQuantity Quantity() const;

    std::string m_strChannel;
    std::string m_strLevel;
    std::string m_strCn;
    std::string m_strBer;
    int m_bCorrection = 0;
    std::uint8_t m_nCnLimit = 0;
    std::string m_strChannel2;
    std::string m_strLevel2;
    std::string m_strCn2;
    std::string m_strBer2;
    int m_bCorrection2 = 0;
    std::uint8_t m_nCnLimit2 = 0;

private:
    void DrawRows(Canvas& dc) const;
    void DrawValues(Canvas& dc) const;
};
