#include "ViewerFixture.h"

#include <QLabel>

QString ViewerTest::Text(const char* label) const
{
    return Child<QLabel>(label)->text();
}

bool ViewerTest::SelectId(int id) const
{
    for (QTreeWidgetItemIterator it(Tree()); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toInt() == id) {
            Tree()->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

int ViewerTest::CurrentId() const
{
    const QTreeWidgetItem* item = Tree()->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
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
