#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CardTree;

// What a search keeps of the card's tree, in tree order: under each of the
// five kind headings the folders holding a record found, and those records.
struct FoundRecords {
    struct Folder {
        int id = 0;
        // Its records found: records[begin] to records[end - 1].
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
    };
    std::array<std::vector<Folder>, 5> folders; // by the heading's place
    std::vector<int> records;
};

// What the tree's filter searches a card by: each record's data name and
// system label as its screen shows them, its channels, and its measurement
// folder's name, all folded (Folded) so that letter case and full- or
// half-width forms do not count.
//
// A card of a hundred thousand records repeats few distinct texts, so each
// distinct text is folded and kept once, in one buffer; a record keeps the
// numbers of its three texts. They are made on first use (Prepare) and
// belong to one scan: Clear before the card is read again.
class CardSearch {
public:
    explicit CardSearch(const CardTree& card);

    // Forgets the texts of the last scan.
    void Clear();
    // Makes the texts for the card's present scan, unless made already.
    void Prepare();

    // The records holding the folded text `needle`, with their folders.
    // Prepares first when needed.
    FoundRecords Find(const QString& needle);

    // The form in which text is compared.
    static QString Folded(const QString& text);

private:
    class Builder;
    // A measurement folder: its records are the items after it.
    struct Folder {
        int id = 0;
        int recordCount = 0;
        std::uint32_t nameText = 0;
        // Where its records' texts start in m_lineTexts, three a record.
        std::uint32_t firstLine = 0;
        bool multiChannel = false;
    };

    std::vector<bool> TextsHolding(const QString& needle) const;
    bool RecordHolds(const Folder& folder, std::uint32_t line, const std::vector<bool>& holding) const;

    const CardTree& m_card;
    bool m_bPrepared = false;
    // The distinct folded texts one after another; text t runs from
    // m_textStarts[t] to m_textStarts[t + 1].
    QString m_texts;
    std::vector<std::uint32_t> m_textStarts;
    std::array<std::vector<Folder>, 5> m_folders; // by the heading's place
    // For each record: its system label, data name and channel; a
    // multi-channel record has instead of its channel the place of its
    // channels in m_channelStarts.
    std::vector<std::uint32_t> m_lineTexts;
    // The channels of multi-channel record m are m_channelTexts[m_channelStarts[m]]
    // up to m_channelTexts[m_channelStarts[m + 1] - 1].
    std::vector<std::uint32_t> m_channelTexts;
    std::vector<std::uint32_t> m_channelStarts;
};
