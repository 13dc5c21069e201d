// Feeds arbitrary bytes to the card's file readers as a count file, a values
// file and a multi-channel record, and reads every column of every row.
#include "ScratchFolder.h"
#include "data/CCsvReader.h"
#include "data/CDataItem.h"
#include "data/CardText.h"
#include "data/Messages.h"

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

std::string WriteInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = ScratchFolder() + "/input.CSV";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteInput(data, size);
    SilentMessages messages;

    CCsvReader count(messages);
    if (count.ReadCount(path) == 0)
        IntegerValue(count.m_strCount);

    CCsvReader values(messages);
    values.ReadCsv(path);
    RecordRow row;
    std::size_t total = 0;
    for (int i = 0; i < values.GetRowCount(); ++i) {
        row.FillFromCsvRow(*values.GetRow(i));
        for (int k = 0; k < RecordRow::kColumnCount; ++k)
            total += row.Column(k).size();
        total += row.ColumnState(6) + CorrectionOn(row.Column(10));
    }
    CDataItem item(kindMulti, 1, SharedText(count.m_strCount), SharedText(path), values);
    return total == static_cast<std::size_t>(-1) && item.m_channels.empty();
}
