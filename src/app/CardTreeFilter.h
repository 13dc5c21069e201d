#pragma once

#include <QSortFilterProxyModel>
#include <QString>

#include <vector>

class CardTree;
class RecordDisplay;

// The tree as the filter above it leaves it: the records whose data name,
// channel, system label or measurement folder holds the typed text, with
// their folders; the kind headings always stay. Letter case and full- or
// half-width forms do not count ("ＫＲ" finds "kr", "ｶﾞ" finds "ガ").
// An empty text keeps everything.
class CardTreeFilter : public QSortFilterProxyModel {
public:
    CardTreeFilter(const CardTree& card, QObject* parent = nullptr);

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }
    // The records kept (every record while the text is empty).
    int MatchCount() const { return m_nMatches; }
    // Makes what the records are searched by, unless that is made already
    // for the card's present scan; the first filtering does it otherwise.
    void Prepare();

    // The form in which text is compared.
    static QString Folded(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool IsRecord(int id) const;
    QString SearchTextOf(RecordDisplay& display, int id) const;
    void Count();

    const CardTree& m_card;
    QString m_text;
    QString m_needle;
    // The folded search text of item id at [id - 1]; empty for non-records.
    std::vector<QString> m_searchTexts;
    bool m_bPrepared = false;
    int m_nMatches = 0;
    // While SetText resets the rows itself.
    bool m_bChangingText = false;
};
