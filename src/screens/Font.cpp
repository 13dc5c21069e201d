#include "screens/Font.h"

struct Font::Cache {
    GlyphMask blank;
};

Font::Font(int cellHeight, int cellWidth)
    : m_cellHeight(cellHeight), m_cellWidth(cellWidth), m_cache(nullptr)
{
}

const GlyphMask& Font::glyph(unsigned) const
{
    static const GlyphMask blank;
    return blank;
}

std::string FontProblem()
{
    return {};
}
