#include "CardTreeFilter.h"

#include "CardTreeModel.h"
#include "data/CardTree.h"

#include <algorithm>

CardTreeFilter::CardTreeFilter(const CardTree& card, QObject* parent)
    : QAbstractProxyModel(parent), m_card(card), m_search(card)
{
}

// The tree model changes only by a rescan, which makes new items: their
// search texts are made afresh, and the text typed goes on filtering the
// new tree.
void CardTreeFilter::setSourceModel(QAbstractItemModel* source)
{
    beginResetModel();
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    QAbstractProxyModel::setSourceModel(source);
    m_treeModel = dynamic_cast<const CardTreeModel*>(source);
    if (source) {
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
            beginResetModel();
            m_search.Clear();
        });
        connect(source, &QAbstractItemModel::modelReset, this, [this] {
            Find();
            endResetModel();
        });
    }
    Find();
    endResetModel();
}

// The rows are made afresh in one reset: the view lays out what is kept
// once, rather than once for each run of records that goes or comes.
void CardTreeFilter::SetText(const QString& text)
{
    beginResetModel();
    m_text = text;
    m_needle = Folded(text.trimmed());
    Find();
    endResetModel();
}

void CardTreeFilter::Find()
{
    m_headings = m_card.KindRoots();
    m_found = {};
    m_lastChildren = {};
    if (Filtering()) {
        m_found = m_search.Find(m_needle);
        m_nMatches = static_cast<int>(m_found.records.size());
        return;
    }
    m_nMatches = 0;
    for (const int heading : m_headings)
        for (int row = 0; row < m_card.Node(heading)->m_nChildCount; ++row)
            m_nMatches += m_card.Node(m_card.Child(heading, row))->m_nChildCount;
}

QModelIndex CardTreeFilter::MakeIndex(int row, int id, Level level) const
{
    return createIndex(row, 0, static_cast<quintptr>(id) * 4 + static_cast<quintptr>(level));
}

int CardTreeFilter::IdOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<int>(index.internalId() / 4) : 0;
}

CardTreeFilter::Level CardTreeFilter::LevelOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<Level>(index.internalId() % 4) : Level::None;
}

CardTreeFilter::Level CardTreeFilter::LevelOf(int id) const
{
    const auto node = m_card.Node(id);
    if (!node)
        return Level::None;
    if (node->m_nParent == 0)
        return Level::Heading;
    const bool underHeading = std::find(m_headings.begin(), m_headings.end(), node->m_nParent) != m_headings.end();
    return underHeading ? Level::Folder : Level::Record;
}

const CardTreeFilter::Children& CardTreeFilter::ChildrenOf(int id) const
{
    if (m_lastChildren.parent != id || id == 0)
        m_lastChildren = FindChildren(id);
    return m_lastChildren;
}

CardTreeFilter::Children CardTreeFilter::FindChildren(int id) const
{
    Children children{id, 0, nullptr, nullptr};
    if (id == 0) {
        children.count = static_cast<int>(m_headings.size());
        return children;
    }
    const Level level = LevelOf(id);
    if (level == Level::None || level == Level::Record)
        return children;
    const auto node = m_card.Node(id);
    if (!Filtering()) {
        children.count = node->m_nChildCount;
    } else if (level == Level::Heading) {
        const auto place = static_cast<std::size_t>(node->m_nRow);
        if (place < m_found.folders.size()) {
            children.folders = m_found.folders[place].data();
            children.count = static_cast<int>(m_found.folders[place].size());
        }
    } else {
        const Children& headingChildren = ChildrenOf(node->m_nParent);
        const FoundRecords::Folder* first = headingChildren.folders;
        const FoundRecords::Folder* last = first + headingChildren.count;
        const auto at = std::lower_bound(first, last, id,
                                         [](const FoundRecords::Folder& f, int wanted) { return f.id < wanted; });
        if (at != last && at->id == id) {
            children.records = m_found.records.data() + at->begin;
            children.count = static_cast<int>(at->end - at->begin);
        }
    }
    return children;
}

int CardTreeFilter::ChildId(const Children& children, int row) const
{
    const auto at = static_cast<std::size_t>(row);
    if (children.parent == 0)
        return m_headings[at];
    if (children.folders)
        return children.folders[at].id;
    if (children.records)
        return children.records[at];
    return m_card.Child(children.parent, row);
}

int CardTreeFilter::RowOf(int id) const
{
    const auto node = m_card.Node(id);
    if (!node)
        return -1;
    if (!Filtering() || node->m_nParent == 0)
        return node->m_nRow;
    const Children children = ChildrenOf(node->m_nParent);
    if (children.folders) {
        const FoundRecords::Folder* last = children.folders + children.count;
        const auto at = std::lower_bound(children.folders, last, id,
                                         [](const FoundRecords::Folder& f, int wanted) { return f.id < wanted; });
        return at != last && at->id == id ? static_cast<int>(at - children.folders) : -1;
    }
    const int* last = children.records + children.count;
    const int* at = std::lower_bound(children.records, last, id);
    return at != last && *at == id ? static_cast<int>(at - children.records) : -1;
}

QModelIndex CardTreeFilter::mapToSource(const QModelIndex& proxyIndex) const
{
    return m_treeModel ? m_treeModel->IndexOfId(IdOf(proxyIndex)) : QModelIndex();
}

QModelIndex CardTreeFilter::mapFromSource(const QModelIndex& sourceIndex) const
{
    const int id = CardTreeModel::IdOf(sourceIndex);
    const int row = id > 0 ? RowOf(id) : -1;
    return row < 0 ? QModelIndex() : MakeIndex(row, id, LevelOf(id));
}

QModelIndex CardTreeFilter::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    const Children& children = ChildrenOf(IdOf(parent));
    if (row >= children.count)
        return {};
    const Level level = !parent.isValid() ? Level::Heading
                        : LevelOf(parent) == Level::Heading ? Level::Folder
                                                            : Level::Record;
    return MakeIndex(row, ChildId(children, row), level);
}

QModelIndex CardTreeFilter::parent(const QModelIndex& child) const
{
    const Level level = LevelOf(child);
    if (level != Level::Folder && level != Level::Record)
        return {};
    const int parentId = m_card.Node(IdOf(child))->m_nParent;
    const int row = RowOf(parentId);
    return row < 0 ? QModelIndex() : MakeIndex(row, parentId, level == Level::Folder ? Level::Heading : Level::Folder);
}

int CardTreeFilter::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0 || LevelOf(parent) == Level::Record)
        return 0;
    return ChildrenOf(IdOf(parent)).count;
}

int CardTreeFilter::columnCount(const QModelIndex&) const
{
    return 1;
}

bool CardTreeFilter::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

// Records never have children: the view then keeps no state for them.
Qt::ItemFlags CardTreeFilter::flags(const QModelIndex& index) const
{
    const Level level = LevelOf(index);
    if (level == Level::None)
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return level == Level::Record ? flags | Qt::ItemNeverHasChildren : flags;
}
