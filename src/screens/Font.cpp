#include "screens/Font.h"

#include "screens/TextCodec.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

constexpr const char* kFamily = "IPAGothic";
constexpr const char* kMissingFont =
    "The screen font IPAGothic was not found; install the package fonts-ipafont-gothic.";

// The one Gothic face of the process, opened on first use. All rendering goes
// through it under one lock, since a FreeType face is not thread-safe.
class Face {
public:
    static Face& Instance()
    {
        static Face face;
        return face;
    }
    const std::string& Problem() const { return m_problem; }
    GlyphMask Render(int cellHeight, int cellWidth, unsigned code);

private:
    Face();
    ~Face();
    std::string FindFile();
    char32_t UnicodeOf(unsigned code) const;

    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
    std::string m_problem;
    std::mutex m_mutex;
};

Face::Face()
{
    const std::string file = FindFile();
    if (file.empty() || FT_Init_FreeType(&m_library) != 0
        || FT_New_Face(m_library, file.c_str(), 0, &m_face) != 0)
        m_problem = kMissingFont;
}

Face::~Face()
{
    if (m_face)
        FT_Done_Face(m_face);
    if (m_library)
        FT_Done_FreeType(m_library);
}

// Fontconfig always offers some face; only IPAGothic itself is accepted.
std::string Face::FindFile()
{
    if (!FcInit())
        return {};
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFamily));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    bool familyMatches = false;
    FcChar8* value = nullptr;
    for (int i = 0; match && FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i)
        familyMatches = familyMatches || std::string(reinterpret_cast<char*>(value)) == kFamily;
    if (familyMatches && FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch)
        file = reinterpret_cast<char*>(value);
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

char32_t Face::UnicodeOf(unsigned code) const
{
    std::string bytes;
    if (code > 0xFF)
        bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    const std::string utf8 = DecodeCardText(bytes);
    const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
    if (utf8.empty())
        return 0;
    if (u[0] < 0x80)
        return u[0];
    if (u[0] < 0xE0 && utf8.size() >= 2)
        return (u[0] & 0x1F) << 6 | (u[1] & 0x3F);
    if (u[0] < 0xF0 && utf8.size() >= 3)
        return (u[0] & 0x0F) << 12 | (u[1] & 0x3F) << 6 | (u[2] & 0x3F);
    return 0xFFFD;
}

// The face is scaled so that its ascender-to-descender height fills the cell
// height and its full-width advance fills two cells; the baseline sits where
// the ascender ends. Ink beyond the cells is cut off.
GlyphMask Face::Render(int cellHeight, int cellWidth, unsigned code)
{
    GlyphMask mask;
    mask.cells = code > 0xFF ? 2 : 1;
    mask.width = mask.cells * cellWidth;
    mask.height = cellHeight;
    mask.ink.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
    const char32_t unicode = UnicodeOf(code);
    if (!m_face || unicode < 0x20)
        return mask;
    std::lock_guard lock(m_mutex);
    const double span = m_face->ascender - m_face->descender;
    const double emHeight = cellHeight * m_face->units_per_EM / span;
    FT_Set_Pixel_Sizes(m_face, static_cast<FT_UInt>(2 * cellWidth),
                       static_cast<FT_UInt>(std::lround(emHeight)));
    const int baseline = static_cast<int>(std::lround(cellHeight * m_face->ascender / span));
    const FT_UInt index = FT_Get_Char_Index(m_face, unicode);
    if (FT_Load_Glyph(m_face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return mask;
    const FT_GlyphSlot slot = m_face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        return mask;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const int y = baseline - slot->bitmap_top + static_cast<int>(row);
        const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            const int x = slot->bitmap_left + static_cast<int>(col);
            if (x < 0 || y < 0 || x >= mask.width || y >= mask.height)
                continue;
            if (bits[col / 8] & (0x80 >> (col % 8)))
                mask.ink[static_cast<std::size_t>(y) * mask.width + x] = 1;
        }
    }
    return mask;
}

} // namespace

// Glyphs of one cell size, rendered once each. A glyph stays where it was
// put (the map's nodes do not move), so the single-byte ones, most of every
// screen's text, are also found without the lock once rendered.
struct Font::Cache {
    std::mutex mutex;
    std::unordered_map<unsigned, GlyphMask> glyphs;
    std::array<std::atomic<const GlyphMask*>, 256> singleByte{};
};

Font::Cache* Font::CacheFor(int cellHeight, int cellWidth)
{
    static std::mutex mutex;
    static std::map<std::pair<int, int>, std::unique_ptr<Font::Cache>> caches;
    std::lock_guard lock(mutex);
    auto& cache = caches[{cellHeight, cellWidth}];
    if (!cache)
        cache = std::make_unique<Font::Cache>();
    return cache.get();
}

Font::Font(int cellHeight, int cellWidth)
    : m_cellHeight(std::max(cellHeight, 1)), m_cellWidth(std::max(cellWidth, 1)),
      m_cache(CacheFor(m_cellHeight, m_cellWidth))
{
}

namespace {

void FillInkChunks(GlyphMask& mask)
{
    mask.chunks = (mask.width + 7) / 8;
    mask.inkChunks.assign(static_cast<std::size_t>(mask.chunks) * static_cast<std::size_t>(mask.height), 0);
    for (int y = 0; y < mask.height; ++y) {
        for (int c = 0; c < mask.chunks; ++c) {
            std::uint8_t bytes[8] = {};
            for (int i = 0; i < 8 && 8 * c + i < mask.width; ++i)
                bytes[i] = mask.ink[static_cast<std::size_t>(y * mask.width + 8 * c + i)] ? 0xFF : 0x00;
            std::memcpy(&mask.inkChunks[static_cast<std::size_t>(y * mask.chunks + c)], bytes, 8);
        }
    }
}

} // namespace

const GlyphMask& Font::Glyph(unsigned code) const
{
    if (code < 256)
        if (const GlyphMask* known = m_cache->singleByte[code].load(std::memory_order_acquire))
            return *known;
    std::lock_guard lock(m_cache->mutex);
    auto found = m_cache->glyphs.find(code);
    if (found == m_cache->glyphs.end()) {
        GlyphMask mask = Face::Instance().Render(m_cellHeight, m_cellWidth, code);
        FillInkChunks(mask);
        found = m_cache->glyphs.emplace(code, std::move(mask)).first;
    }
    if (code < 256)
        m_cache->singleByte[code].store(&found->second, std::memory_order_release);
    return found->second;
}

std::string FontProblem()
{
    return Face::Instance().Problem();
}
