#include "CardTreeFilter.h"

#include "CardTreeModel.h"
#include "data/CardTree.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"

#include <QFile>

namespace {

QString CardText(std::string_view bytes)
{
    return QString::fromStdString(DecodeCardText(bytes));
}

} // namespace

CardTreeFilter::CardTreeFilter(const CardTree& card, QObject* parent) : QSortFilterProxyModel(parent), m_card(card)
{
    // A folder or heading stays when one of its records does.
    setRecursiveFilteringEnabled(true);
    setDynamicSortFilter(false);
    // A rescan makes new items: their search texts are made afresh, and the
    // text typed goes on filtering the new tree.
    connect(this, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (m_bChangingText)
            return;
        m_searchTexts.clear();
        m_bPrepared = false;
    });
    connect(this, &QAbstractItemModel::modelReset, this, [this] {
        if (m_bChangingText)
            return;
        if (!m_needle.isEmpty())
            SetText(m_text);
        else
            Count();
    });
}

QString CardTreeFilter::Folded(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

// The rows are made afresh in one reset: filtering row by row would tell
// the view of each run of records that goes or comes, thousands of them on
// a large card, each costing a pass over the view's open folders.
void CardTreeFilter::SetText(const QString& text)
{
    m_bChangingText = true;
    beginResetModel();
    m_text = text;
    m_needle = Folded(text.trimmed());
    if (!m_needle.isEmpty())
        Prepare();
    Count();
    endResetModel();
    m_bChangingText = false;
}

bool CardTreeFilter::IsRecord(int id) const
{
    const std::optional<TreeNode> node = m_card.Node(id);
    const std::optional<CDataItem> item = m_card.FindItem(id);
    return node && item && node->m_nParent != 0 && item->m_nKind != kindFolder;
}

// The data name and system label as the record's screen shows them, every
// channel of the record, and its measurement folder's name.
QString CardTreeFilter::SearchTextOf(RecordDisplay& display, int id) const
{
    const std::optional<CDataItem> item = m_card.FindItem(id);
    display.Select(item);
    QString text = CardText(display.LabelText(RecordDisplay::kCaption));
    text += '\n' + CardText(display.LabelText(RecordDisplay::kSystemLabel));
    text += '\n' + CardText(item->m_row.Column(3));
    for (const RecordRow& channel : item->m_channels)
        text += '\n' + CardText(channel.Column(3));
    text += '\n' + QFile::decodeName(QByteArray::fromStdString(m_card.Label(m_card.Node(id)->m_nParent)));
    return Folded(text);
}

void CardTreeFilter::Prepare()
{
    if (m_bPrepared)
        return;
    // Screens are made once for every record: their labels are what is searched.
    RecordDisplay display;
    const int count = m_card.ItemCount();
    m_searchTexts.assign(static_cast<std::size_t>(count), QString());
    for (int id = 1; id <= count; ++id) {
        if (IsRecord(id))
            m_searchTexts[static_cast<std::size_t>(id - 1)] = SearchTextOf(display, id);
    }
    m_bPrepared = true;
}

void CardTreeFilter::Count()
{
    m_nMatches = 0;
    for (int id = 1; id <= m_card.ItemCount(); ++id) {
        if (!IsRecord(id))
            continue;
        if (m_needle.isEmpty() || m_searchTexts[static_cast<std::size_t>(id - 1)].contains(m_needle))
            ++m_nMatches;
    }
}

bool CardTreeFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_needle.isEmpty() || !sourceParent.isValid())
        return true;
    const int id = CardTreeModel::IdOf(sourceModel()->index(sourceRow, 0, sourceParent));
    const auto at = static_cast<std::size_t>(id - 1);
    return id > 0 && at < m_searchTexts.size() && !m_searchTexts[at].isEmpty()
           && m_searchTexts[at].contains(m_needle);
}
