#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A glyph fitted into its character cells: one byte per pixel (1 = ink),
// width = cells * cell width, rows top first.
struct GlyphMask {
    int cells = 1;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;
    // The same ink for drawing eight pixels at a time: each row as `chunks`
    // groups of eight bytes, 0xFF for ink and 0x00 for none (past the width
    // too), each group as the eight bytes lie in memory.
    int chunks = 0;
    std::vector<std::uint64_t> inkChunks;
};

// A monochrome Japanese Gothic face at a fixed cell size (height x width in
// pixels; a double-byte character takes two cells). Fonts are light handles:
// every font of one size shares one process-wide glyph cache.
class Font {
public:
    Font(int cellHeight, int cellWidth);

    int CellHeight() const { return m_cellHeight; }
    int CellWidth() const { return m_cellWidth; }
    // code: a single byte, or lead byte << 8 | trail byte of a double-byte
    // Shift-JIS character. Without a usable face the mask has no ink.
    const GlyphMask& Glyph(unsigned code) const;

private:
    int m_cellHeight;
    int m_cellWidth;
    struct Cache;
    static Cache* CacheFor(int cellHeight, int cellWidth);
    Cache* m_cache;
};

// Empty when the face was found and loads; otherwise one sentence for the
// user that names the missing package. The viewer and kr80a check it at start.
std::string FontProblem();
