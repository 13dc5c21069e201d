#pragma once

#include "CardSearch.h"

#include <QAbstractProxyModel>
#include <QString>

#include <vector>

class CardTree;
class CardTreeModel;

// The tree as the filter above it leaves it: the records whose data name,
// channel, system label or measurement folder holds the typed text, with
// their folders; the kind headings always stay. Letter case and full- or
// half-width forms do not count ("ＫＲ" finds "kr", "ｶﾞ" finds "ガ").
// An empty text keeps everything.
//
// What is kept is found for the whole card in one pass (CardSearch), so
// that each question of the view is a look-up in that result rather than a
// search. An index carries its item id and whether that is a heading, a
// folder or a record: the view asks about every row it lays out, and the
// index answers without a look into the card.
class CardTreeFilter : public QAbstractProxyModel {
public:
    CardTreeFilter(const CardTree& card, QObject* parent = nullptr);

    // The tree model of the same card; the filter follows its rescans.
    void setSourceModel(QAbstractItemModel* source) override;

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }
    // The records kept (every record while the text is empty).
    int MatchCount() const { return m_nMatches; }
    // Makes what the records are searched by, unless that is made already
    // for the card's present scan; the first filtering does it otherwise.
    void Prepare() { m_search.Prepare(); }

    // The form in which text is compared.
    static QString Folded(const QString& text) { return CardSearch::Folded(text); }

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    enum class Level : quintptr { Heading, Folder, Record, None };
    // The shown children of one item: while filtering those found, else
    // all of them (CardTree::Child).
    struct Children {
        int parent = 0;
        int count = 0;
        const FoundRecords::Folder* folders = nullptr; // of a heading, while filtering
        const int* records = nullptr;                  // of a folder, while filtering
    };

    bool Filtering() const { return !m_needle.isEmpty(); }
    QModelIndex MakeIndex(int row, int id, Level level) const;
    static int IdOf(const QModelIndex& index);
    static Level LevelOf(const QModelIndex& index);
    void Find();
    Level LevelOf(int id) const;
    // Of item `id` (0 for the top); the view asks for the children of one
    // parent after another, so the last answer is kept.
    const Children& ChildrenOf(int id) const;
    Children FindChildren(int id) const;
    int ChildId(const Children& children, int row) const;
    // The row of item `id` among its shown siblings, or -1 when not shown.
    int RowOf(int id) const;

    const CardTree& m_card;
    const CardTreeModel* m_treeModel = nullptr;
    CardSearch m_search;
    std::vector<int> m_headings;
    QString m_text;
    QString m_needle;
    FoundRecords m_found;
    int m_nMatches = 0;
    mutable Children m_lastChildren;
};
