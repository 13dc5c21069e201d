#include "ViewerFixture.h"
#include "support/CaseName.h"

#include <QLabel>
#include <QTest>

namespace {

TEST_F(ViewerTest, KindRootAndFolderShowNothing)
{
    StartOnCard();
    const int folderId = FirstRecordOf(kindLevel) - 1;
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    for (int id : {folderId, 2}) {
        ASSERT_TRUE(SelectId(id));
        EXPECT_FALSE(ExportEnabled()) << id;
        EXPECT_EQ(Text("m_systemLabel"), " ");
        EXPECT_EQ(Text("m_numberLabel"), "  ");
        EXPECT_EQ(Text("m_countLabel"), "  ");
        EXPECT_EQ(Text("m_captionLabel"), " ");
        // White face inside the black frame.
        const QImage picture = ShownPicture();
        EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(picture.pixel(160, 120), qRgb(255, 255, 255));
    }
}

struct KindCase {
    const char* name;
    DataKind kind;
    int screenId;
    const char* caption;
    const char* systemLabel;
};

class RecordSelectionTest : public ViewerTest, public testing::WithParamInterface<KindCase> {};

TEST_P(RecordSelectionTest, ShowsTheRecordWithItsLabels)
{
    StartOnCard();
    const int id = FirstRecordOf(GetParam().kind);
    ASSERT_TRUE(SelectId(id));
    // The screen of the record's kind, drawn as the core draws it.
    EXPECT_EQ(CoreScreenId(id), GetParam().screenId);
    EXPECT_EQ(ShownPicture(), CorePicture(id));
    EXPECT_TRUE(ExportEnabled());
    EXPECT_EQ(Text("m_captionLabel"), GetParam().caption);
    EXPECT_EQ(Text("m_systemLabel"), QString::fromUtf8(GetParam().systemLabel));
    EXPECT_EQ(Text("m_numberLabel"), "1");
    EXPECT_EQ(Text("m_countLabel"), GetParam().kind == kindLevel ? "3" : "1");
    EXPECT_FALSE(Child<QLabel>("m_blankPanel")->isVisible());
    const QImage picture = ShownPicture();
    EXPECT_EQ(picture.pixel(319, 239), qRgb(0, 0, 0));
    // The record is drawn: ink inside the frame.
    bool ink = false;
    for (int y = 1; y < 239 && !ink; ++y)
        for (int x = 1; x < 319 && !ink; ++x)
            ink = picture.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(ink);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, RecordSelectionTest,
                         testing::Values(KindCase{"Level", kindLevel, 1, "level1", "地上デジタル"},
                                         KindCase{"Ber", kindBer, 2, "ber1", "地上デジタル"},
                                         KindCase{"Sky", kindSky, 3, "sky1", "スカイパーフェクトＴＶ！"},
                                         KindCase{"Constel", kindConstel, 4, "constel1", "地上デジタル"},
                                         KindCase{"Multi", kindMulti, 5, "multi1", "BS･CS "}),
                         CaseName());

TEST_F(ViewerTest, NumberAndJapaneseCaptionOfALaterRecord)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel) + 2));
    EXPECT_EQ(Text("m_numberLabel"), "3");
    EXPECT_EQ(Text("m_countLabel"), "3");
    EXPECT_EQ(Text("m_captionLabel"), "東京");
}

TEST_F(ViewerTest, MultiSelectionAfterALevelRecordThenAFolderShowsNothing)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    ASSERT_TRUE(SelectId(FirstRecordOf(kindMulti)));
    EXPECT_EQ(ShownPicture(), CorePicture(FirstRecordOf(kindMulti)));
    ASSERT_TRUE(SelectId(FirstRecordOf(kindMulti) - 1));
    EXPECT_EQ(ShownPicture(), CorePicture(FirstRecordOf(kindMulti) - 1));
    EXPECT_FALSE(ExportEnabled());
}

// Gestures that deselect the tree's selected item while leaving it current.
enum class Deselect { ControlClick, ControlSpace };

struct DeselectCase {
    const char* name;
    Deselect gesture;
    int levelOffset; // the item: the first LEVEL record plus this (-1: its folder)
};

class KeepSelectionTest : public ViewerTest, public testing::WithParamInterface<DeselectCase> {};

TEST_P(KeepSelectionTest, CurrentItemStaysSelected)
{
    StartOnCard();
    const int id = FirstRecordOf(kindLevel) + GetParam().levelOffset;
    ASSERT_TRUE(SelectId(id));
    const QImage shown = ShownPicture();
    const bool exportEnabled = ExportEnabled();
    const QModelIndex item = Tree()->currentIndex();
    if (GetParam().gesture == Deselect::ControlClick)
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          Tree()->visualRect(item).center());
    else
        QTest::keyClick(Tree(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Tree()->selectionModel()->selectedIndexes(), QModelIndexList{item});
    EXPECT_EQ(CurrentId(), id);
    EXPECT_EQ(ShownPicture(), shown);
    EXPECT_EQ(ExportEnabled(), exportEnabled);
}

// Space also searches the shown items by typed text; the records' labels start
// with blanks, so there it goes on to the next record. On the collapsed folder
// it finds nothing and shows the key's own effect.
INSTANTIATE_TEST_SUITE_P(EveryGesture, KeepSelectionTest,
                         testing::Values(DeselectCase{"ControlClickOnRecord", Deselect::ControlClick, 0},
                                         DeselectCase{"ControlClickOnFolder", Deselect::ControlClick, -1},
                                         DeselectCase{"ControlSpaceOnFolder", Deselect::ControlSpace, -1}),
                         CaseName());

TEST_F(ViewerTest, RepaintAfterActivationDrawsTheSamePicture)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    const QImage before = ShownPicture();
    m_window->showMinimized();
    m_window->showNormal();
    QEvent activation(QEvent::ActivationChange);
    QCoreApplication::sendEvent(m_window.get(), &activation);
    EXPECT_EQ(ShownPicture(), before);
    EXPECT_EQ(Child<ScreenView>("m_screen")->grab().toImage().convertToFormat(QImage::Format_RGB32), before);
}

} // namespace
