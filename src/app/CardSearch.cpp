#include "CardSearch.h"

#include "data/CardTree.h"
#include "screens/ScreenLabels.h"
#include "screens/TextCodec.h"

#include <QFile>

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

// The column of a record line that holds its channel.
constexpr int kChannelColumn = 3;
// Texts kept for each record in CardSearch::m_lineTexts.
constexpr std::uint32_t kLineTexts = 3;

// Numbers distinct byte strings. A card gives a few hundred thousand short
// texts, so the table is one open-addressed array; the bytes stay where
// they are (in the card's rows) while it lives.
class TextNumbers {
public:
    const std::uint32_t* Find(std::string_view bytes) const
    {
        if (m_slots.empty())
            return nullptr;
        for (std::size_t at = Hash(bytes) & Mask();; at = (at + 1) & Mask()) {
            const Slot& slot = m_slots[at];
            if (!slot.used)
                return nullptr;
            if (slot.bytes == bytes)
                return &slot.number;
        }
    }

    void Add(std::string_view bytes, std::uint32_t number)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            Grow();
        Place(Slot{bytes, number, true});
        ++m_count;
    }

private:
    struct Slot {
        std::string_view bytes;
        std::uint32_t number = 0;
        bool used = false;
    };

    static std::size_t Hash(std::string_view bytes)
    {
        std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
        for (const char c : bytes)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        return static_cast<std::size_t>(hash ^ (hash >> 29));
    }
    std::size_t Mask() const { return m_slots.size() - 1; }

    void Place(const Slot& slot)
    {
        std::size_t at = Hash(slot.bytes) & Mask();
        while (m_slots[at].used)
            at = (at + 1) & Mask();
        m_slots[at] = slot;
    }

    void Grow()
    {
        std::vector<Slot> old(m_slots.empty() ? 1024 : m_slots.size() * 2);
        old.swap(m_slots);
        for (const Slot& slot : old)
            if (slot.used)
                Place(slot);
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

} // namespace

// Gives each distinct text its number while the texts are made.
class CardSearch::Builder {
public:
    explicit Builder(CardSearch& search) : m_search(search) { m_search.m_textStarts.push_back(0); }

    // Card bytes that stay where they are while the card is not read again.
    std::uint32_t CardText(std::string_view bytes)
    {
        if (const std::uint32_t* number = m_cardTexts.Find(bytes))
            return *number;
        const std::uint32_t number = Keep(QString::fromStdString(DecodeCardText(bytes)));
        m_cardTexts.Add(bytes, number);
        return number;
    }

    // Card bytes made for one record: kept here while the texts are made.
    std::uint32_t MadeCardText(std::string text)
    {
        if (const std::uint32_t* number = m_cardTexts.Find(text))
            return *number;
        return CardText(m_made.emplace_back(std::move(text)));
    }

    // Folder names are as the file system gives them.
    std::uint32_t FolderName(const std::string& name)
    {
        const auto [at, added] = m_folderNames.try_emplace(name, 0);
        if (added)
            at->second = Keep(QFile::decodeName(QByteArray::fromStdString(name)));
        return at->second;
    }

private:
    std::uint32_t Keep(const QString& text)
    {
        const auto number = static_cast<std::uint32_t>(m_search.m_textStarts.size() - 1);
        m_search.m_texts += Folded(text);
        m_search.m_textStarts.push_back(static_cast<std::uint32_t>(m_search.m_texts.size()));
        return number;
    }

    CardSearch& m_search;
    TextNumbers m_cardTexts;
    std::deque<std::string> m_made;
    std::unordered_map<std::string, std::uint32_t> m_folderNames;
};

CardSearch::CardSearch(const CardTree& card) : m_card(card) {}

QString CardSearch::Folded(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

void CardSearch::Clear()
{
    m_bPrepared = false;
    m_texts = QString();
    m_textStarts = {};
    m_folders = {};
    m_lineTexts = {};
    m_channelTexts = {};
    m_channelStarts = {};
}

// A folder's records are the items right after it, ids folder + 1 on.
void CardSearch::Prepare()
{
    if (m_bPrepared)
        return;
    Clear();
    Builder builder(*this);
    m_channelStarts.push_back(0);
    const std::vector<int> headings = m_card.KindRoots();
    m_lineTexts.reserve(kLineTexts * static_cast<std::size_t>(std::max(m_card.ItemCount(), 0)));
    for (std::size_t place = 0; place < headings.size() && place < m_folders.size(); ++place) {
        const int heading = headings[place];
        const bool multiChannel = kRecordKinds[place] == kindMulti;
        for (int row = 0; row < m_card.Node(heading)->m_nChildCount; ++row) {
            const int id = m_card.Child(heading, row);
            const Folder folder{id, m_card.Node(id)->m_nChildCount, builder.FolderName(m_card.Label(id)),
                                static_cast<std::uint32_t>(m_lineTexts.size()), multiChannel};
            for (int k = 1; k <= folder.recordCount; ++k) {
                const auto item = m_card.FindItem(id + k);
                if (multiChannel) {
                    m_lineTexts.push_back(builder.MadeCardText(RecordSystemLabel(*item)));
                    m_lineTexts.push_back(builder.CardText(RecordCaption(*item)));
                    m_lineTexts.push_back(static_cast<std::uint32_t>(m_channelStarts.size() - 1));
                    for (const RecordRow& channel : item->m_channels)
                        m_channelTexts.push_back(builder.CardText(channel.Column(kChannelColumn)));
                    m_channelStarts.push_back(static_cast<std::uint32_t>(m_channelTexts.size()));
                } else {
                    m_lineTexts.push_back(builder.CardText(LineSystemLabel(item->m_nKind, item->m_row)));
                    m_lineTexts.push_back(builder.CardText(RecordCaption(*item)));
                    m_lineTexts.push_back(builder.CardText(item->m_row.Column(kChannelColumn)));
                }
            }
            m_folders[place].push_back(folder);
        }
    }
    m_texts.squeeze();
    m_bPrepared = true;
}

std::vector<bool> CardSearch::TextsHolding(const QString& needle) const
{
    std::vector<bool> holding(m_textStarts.size() - 1);
    const QStringView texts(m_texts);
    for (std::size_t t = 0; t < holding.size(); ++t)
        holding[t] = texts.sliced(m_textStarts[t], m_textStarts[t + 1] - m_textStarts[t]).contains(needle);
    return holding;
}

bool CardSearch::RecordHolds(const Folder& folder, std::uint32_t line, const std::vector<bool>& holding) const
{
    if (holding[m_lineTexts[line]] || holding[m_lineTexts[line + 1]])
        return true;
    const std::uint32_t third = m_lineTexts[line + 2];
    if (!folder.multiChannel)
        return holding[third];
    for (std::uint32_t c = m_channelStarts[third]; c < m_channelStarts[third + 1]; ++c)
        if (holding[m_channelTexts[c]])
            return true;
    return false;
}

FoundRecords CardSearch::Find(const QString& needle)
{
    Prepare();
    const std::vector<bool> holding = TextsHolding(needle);
    FoundRecords found;
    for (std::size_t place = 0; place < m_folders.size(); ++place) {
        for (const Folder& folder : m_folders[place]) {
            const bool named = holding[folder.nameText];
            const auto begin = static_cast<std::uint32_t>(found.records.size());
            for (int k = 0; k < folder.recordCount; ++k) {
                const std::uint32_t line = folder.firstLine + kLineTexts * static_cast<std::uint32_t>(k);
                if (named || RecordHolds(folder, line, holding))
                    found.records.push_back(folder.id + 1 + k);
            }
            const auto end = static_cast<std::uint32_t>(found.records.size());
            if (end > begin)
                found.folders[place].push_back(FoundRecords::Folder{folder.id, begin, end});
        }
    }
    return found;
}
