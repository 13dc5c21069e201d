#include "ViewerFixture.h"

#include <QSortFilterProxyModel>

#include <QLabel>

QString ViewerTest::Text(const char* label) const
{
    return Child<QLabel>(label)->text();
}

QModelIndex ViewerTest::TreeItem(std::initializer_list<int> rows) const
{
    QModelIndex index;
    for (int row : rows)
        index = Tree()->model()->index(row, 0, index);
    return index;
}

bool ViewerTest::SelectId(int id) const
{
    // The tree shows the card's model through the filter above it.
    const auto* filter = static_cast<const QSortFilterProxyModel*>(Tree()->model());
    const QModelIndex index =
        filter->mapFromSource(static_cast<const CardTreeModel*>(filter->sourceModel())->IndexOfId(id));
    if (!index.isValid())
        return false;
    Tree()->setCurrentIndex(index);
    return true;
}

int ViewerTest::CurrentId() const
{
    return Tree()->currentIndex().data(CardTreeModel::kItemIdRole).toInt();
}

int ViewerTest::FirstRecordOf(DataKind kind) const
{
    for (int id = 1; id <= m_window->m_card.ItemCount(); ++id) {
        if (const CDataItem* item = m_window->m_card.FindItem(id); item && item->m_nKind == kind)
            return id;
    }
    return 0;
}

bool ViewerTest::ExportEnabled() const
{
    const bool save = Button("m_saveButton")->isEnabled();
    EXPECT_EQ(Button("m_copyButton")->isEnabled(), save);
    EXPECT_EQ(Child<QAction>("actionSaveScreen")->isEnabled(), save);
    EXPECT_EQ(Child<QAction>("actionCopyScreen")->isEnabled(), save);
    return save;
}
