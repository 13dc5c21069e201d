#include "golden/GoldenCases.h"

#include "handon/CardRecords.h"
#include "screens/RecordDisplay.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

// Each works one part of the graph: the cursor both ways round, the
// reference with the difference read-out, the scale up and down, and the
// range finer and coarser.
const char* const kMultiKeyLists[] = {
    "right,right", "left", "enter,right", "shift+up", "shift+down,shift+down", "shift+right", "shift+left",
};

std::string KeysInName(std::string keys)
{
    for (char& c : keys)
        if (c == ',' || c == '+')
            c = c == ',' ? '_' : '-';
    return keys;
}

std::pair<InstrumentKey, bool> KeyOf(const std::string& name)
{
    const bool shift = name.starts_with("shift+");
    const std::string key = shift ? name.substr(6) : name;
    static const std::pair<const char*, InstrumentKey> kKeys[] = {
        {"left", InstrumentKey::Left}, {"right", InstrumentKey::Right}, {"up", InstrumentKey::Up},
        {"down", InstrumentKey::Down}, {"enter", InstrumentKey::Enter},
    };
    for (const auto& [text, value] : kKeys)
        if (key == text)
            return {value, shift};
    throw std::invalid_argument("no panel key " + name);
}

} // namespace

GoldenCard::GoldenCard(const std::string& dataRoot) : m_tree(m_messages)
{
    m_tree.ScanDataRoot(dataRoot);
    for (const CardRecord& record : CardRecords(m_tree)) {
        const std::string name =
            record.folder + "_" + KindFolderName(record.kind) + "_" + std::to_string(record.item->m_nNumber);
        m_cases.push_back({name + ".png", record.id, ""});
        if (record.kind == kindMulti)
            for (const char* keys : kMultiKeyLists)
                m_cases.push_back({name + "_" + KeysInName(keys) + ".png", record.id, keys});
    }
}

Canvas GoldenCard::Draw(const GoldenCase& golden) const
{
    RecordDisplay display;
    display.Select(m_tree.FindItem(golden.id));
    Canvas canvas;
    display.Paint(canvas);
    std::size_t begin = 0;
    while (!golden.keys.empty() && begin <= golden.keys.size()) {
        const std::size_t comma = std::min(golden.keys.find(',', begin), golden.keys.size());
        const auto [key, shift] = KeyOf(golden.keys.substr(begin, comma - begin));
        display.PressKey(key, shift, canvas);
        begin = comma + 1;
    }
    return canvas;
}
