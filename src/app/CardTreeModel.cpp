#include "CardTreeModel.h"

#include "data/CardTree.h"
#include "screens/TextCodec.h"

#include <QFile>

CardTreeModel::CardTreeModel(CardTree& card, QObject* parent) : QAbstractItemModel(parent), m_card(card) {}

void CardTreeModel::ScanDataRoot(const std::string& dataRoot)
{
    beginResetModel();
    m_card.ScanDataRoot(dataRoot);
    endResetModel();
}

QModelIndex CardTreeModel::IndexOfId(int id) const
{
    const std::optional<TreeNode> node = m_card.Node(id);
    if (!node)
        return {};
    return createIndex(node->m_nRow, 0, static_cast<quintptr>(id));
}

int CardTreeModel::IdOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<int>(index.internalId()) : 0;
}

QModelIndex CardTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid()) {
        const std::vector<int> roots = m_card.KindRoots();
        if (row >= static_cast<int>(roots.size()))
            return {};
        return createIndex(row, 0, static_cast<quintptr>(roots[static_cast<std::size_t>(row)]));
    }
    const int child = m_card.Child(IdOf(parent), row);
    return child ? createIndex(row, 0, static_cast<quintptr>(child)) : QModelIndex();
}

QModelIndex CardTreeModel::parent(const QModelIndex& child) const
{
    const std::optional<TreeNode> node = m_card.Node(IdOf(child));
    if (!node || node->m_nParent == 0)
        return {};
    return IndexOfId(node->m_nParent);
}

int CardTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(m_card.KindRoots().size());
    if (parent.column() != 0)
        return 0;
    const std::optional<TreeNode> node = m_card.Node(IdOf(parent));
    return node ? node->m_nChildCount : 0;
}

int CardTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CardTreeModel::data(const QModelIndex& index, int role) const
{
    const int id = IdOf(index);
    if (id == 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // the whole label, also where the tree cuts it short
        return Label(id);
    case kItemIdRole:
        return id;
    default:
        return {};
    }
}

Qt::ItemFlags CardTreeModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// Records hold card bytes, kind roots are program texts, and folder names are
// as the file system gives them.
QString CardTreeModel::Label(int id) const
{
    const std::string label = m_card.Label(id);
    if (m_card.LabelIsCardText(id))
        return QString::fromStdString(DecodeCardText(label));
    const std::optional<TreeNode> node = m_card.Node(id);
    if (node && node->m_nParent == 0)
        return QString::fromStdString(label);
    return QFile::decodeName(QByteArray::fromStdString(label));
}
