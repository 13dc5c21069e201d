// Feeds arbitrary bytes to every screen as a values file: each data line
// becomes a record shown on each single-record screen, and the whole file a
// multi-channel record; then every panel key is pressed with and without
// shift. The constellation screen also gets the bytes as its dot picture.
#include "data/CCsvReader.h"
#include "data/CDataItem.h"
#include "data/Messages.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

class SilentMessages : public Messages {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
};

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

void PressEveryKey(RecordDisplay& display, Canvas& canvas)
{
    for (bool shift : {false, true})
        for (InstrumentKey key : {InstrumentKey::Left, InstrumentKey::Right, InstrumentKey::Up,
                                  InstrumentKey::Down, InstrumentKey::Enter})
            display.PressKey(key, shift, canvas);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string base = "/tmp/kr80a-fuzz-screens-" + std::to_string(getpid());
    const std::string csvPath = base + ".CSV";
    WriteFile(csvPath, data, size);
    SilentMessages messages;
    CCsvReader reader(messages);
    reader.ReadCsv(csvPath);

    static RecordDisplay display;
    Canvas canvas;
    RecordRow row;
    for (int i = 0; i < reader.GetRowCount() && i < 4; ++i) {
        row.FillFromCsvRow(*reader.GetRow(i));
        // The dot picture is named after the last three characters of column 0.
        const std::string name(row.Column(0));
        if (name.size() >= 3)
            WriteFile(base + "." + name.substr(name.size() - 3), data, size);
        for (DataKind kind : {kindLevel, kindBer, kindSky, kindConstel}) {
            CDataItem item(kind, "1", "1", csvPath, &row);
            display.Select(&item);
            display.Paint(canvas);
            PressEveryKey(display, canvas);
        }
        if (name.size() >= 3)
            std::remove((base + "." + name.substr(name.size() - 3)).c_str());
    }
    CDataItem multi(kindMulti, "1", "1", csvPath, reader);
    display.Select(&multi);
    display.Paint(canvas);
    PressEveryKey(display, canvas);
    PressEveryKey(display, canvas);
    return 0;
}
