// Feeds arbitrary bytes to the screens, from memory. The first byte chooses the
// kind of record; the bytes after it, up to a 0x1E byte, are a values file: a
// header line, then data lines split at commas. A single-record kind shows the
// first data line; a multi-channel record takes every data line as a channel.
// The bytes after the first 0x1E are the constellation screen's dot picture,
// those after a second 0x1E the panel keys pressed after the first drawing,
// one a byte (key and shift), at most kMaxKeys of them.
#include "ScratchFolder.h"
#include "data/CDataItem.h"
#include "data/CsvRow.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kMaxChannels = 128;
// Each key is a full drawing. The record itself sets the range and scale
// the keys start from, so eight reach every range and both ends of the scale,
// at about twice the executions a second of sixteen.
constexpr std::size_t kMaxKeys = 8;

// The data lines of a values file: the header and an unterminated last line dropped.
std::vector<RecordRow> Rows(std::string_view csv, bool freshRows)
{
    std::vector<RecordRow> rows;
    std::size_t begin = csv.find('\n');
    RecordRow row;
    while (begin != std::string_view::npos && rows.size() < kMaxChannels) {
        const std::size_t end = csv.find('\n', begin + 1);
        if (end == std::string_view::npos)
            break;
        const std::string_view line = csv.substr(begin + 1, end - begin - 1);
        if (line.starts_with('*'))
            break;
        CsvRow fields;
        for (std::size_t from = 0;;) {
            const std::size_t comma = line.find(',', from);
            fields.AddField(line.substr(from, comma - from));
            if (comma == std::string_view::npos)
                break;
            from = comma + 1;
        }
        if (freshRows)
            row = RecordRow();
        row.FillFromCsvRow(fields);
        rows.push_back(row);
        begin = end;
    }
    return rows;
}

// Where the values file would lie: the dot picture is looked for beside it.
const std::string& CsvBase()
{
    static const std::string base = ScratchFolder() + "/values.";
    return base;
}

// Writes the dot picture where the constellation screen looks for it, named
// after the last three characters of column 0; returns its path, or "" when
// that name cannot be a file beside the values file.
std::string WritePicture(const RecordRow& row, std::string_view picture)
{
    const std::string_view column0 = row.Column(0);
    const std::string_view extension = column0.size() > 3 ? column0.substr(column0.size() - 3) : column0;
    if (extension.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return "";
    const std::string path = CsvBase() + std::string(extension);
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(picture.data(), 1, picture.size(), file);
        std::fclose(file);
    }
    return path;
}

void PressKeys(std::string_view keys, RecordDisplay& display, Canvas& canvas)
{
    static const InstrumentKey kKeys[] = {InstrumentKey::Left, InstrumentKey::Right, InstrumentKey::Up,
                                          InstrumentKey::Down, InstrumentKey::Enter};
    for (const char byte : keys.substr(0, kMaxKeys)) {
        const auto code = static_cast<unsigned char>(byte);
        display.PressKey(kKeys[code % 5], code / 5 % 2 == 1, canvas);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const DataKind kKinds[] = {kindLevel, kindBer, kindSky, kindConstel, kindMulti};
    const DataKind kind = kKinds[data[0] % 5];
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = input.find('\x1e');
    const std::string_view csv = input.substr(0, split);
    const std::string_view rest = split == std::string_view::npos ? "" : input.substr(split + 1);
    const std::size_t keysAt = rest.find('\x1e');
    const std::string_view picture = rest.substr(0, keysAt);
    const std::string_view keys = keysAt == std::string_view::npos ? "" : rest.substr(keysAt + 1);

    static RecordDisplay display;
    static Canvas canvas;
    std::vector<RecordRow> rows = Rows(csv, kind == kindMulti);
    if (rows.empty())
        return 0;
    std::string picturePath;
    if (kind == kindMulti) {
        CDataItem item(kind, 1, "1", CsvBase() + "CSV");
        item.m_channels = std::move(rows);
        display.Select(&item);
    } else {
        if (kind == kindConstel)
            picturePath = WritePicture(rows[0], picture);
        CDataItem item(kind, 1, "1", CsvBase() + "CSV", &rows[0]);
        display.Select(&item);
    }
    display.Paint(canvas);
    PressKeys(keys, display, canvas);
    if (!picturePath.empty())
        std::remove(picturePath.c_str());
    return 0;
}
