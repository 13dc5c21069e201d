#include "ViewerFixture.h"

#include "data/CardTree.h"
#include "handon/CanvasImage.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <QLabel>
#include <QSortFilterProxyModel>

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

// Kind headings come in the order LEVEL, BER, SKY, CONSTEL, MULTI; the card
// has one folder, "A". The filter's model underneath sees every item.
int ViewerTest::FirstRecordOf(DataKind kind) const
{
    const QAbstractItemModel* card = static_cast<const QSortFilterProxyModel*>(Tree()->model())->sourceModel();
    const QModelIndex heading = card->index(kind - kindLevel, 0);
    const QModelIndex record = card->index(0, 0, card->index(0, 0, heading));
    return record.data(CardTreeModel::kItemIdRole).toInt();
}

bool ViewerTest::ExportEnabled() const
{
    const bool save = Button("m_saveButton")->isEnabled();
    EXPECT_EQ(Button("m_copyButton")->isEnabled(), save);
    EXPECT_EQ(Child<QAction>("actionSaveScreen")->isEnabled(), save);
    EXPECT_EQ(Child<QAction>("actionCopyScreen")->isEnabled(), save);
    return save;
}

QImage ViewerTest::ShownPicture() const
{
    return Child<ScreenView>("m_screen")->Picture();
}

QImage ViewerTest::CorePicture(int id, const std::vector<std::pair<InstrumentKey, bool>>& keys) const
{
    RecordedMessages messages;
    CardTree card(messages);
    card.ScanDataRoot(m_card.Root());
    RecordDisplay display;
    Canvas canvas;
    display.Select(card.FindItem(id));
    display.Paint(canvas);
    for (const auto& [key, shift] : keys)
        display.PressKey(key, shift, canvas);
    return ImageOfCanvas(canvas);
}

int ViewerTest::CoreScreenId(int id) const
{
    RecordedMessages messages;
    CardTree card(messages);
    card.ScanDataRoot(m_card.Root());
    RecordDisplay display;
    display.Select(card.FindItem(id));
    return display.ScreenId();
}

std::string ViewerTest::ChooserStartsAt()
{
    const std::optional<std::string> answer = m_chooser.m_answer;
    m_chooser.m_answer.reset();
    m_window->SelectDataFolder();
    m_chooser.m_answer = answer;
    return m_chooser.m_initials.back();
}

std::string ViewerTest::ShownFolder() const
{
    return QFile::encodeName(Text("m_dataRootLabel")).toStdString();
}
