#include "CardTreeFilter.h"
#include "ViewerFixture.h"

#include <QAbstractItemModelTester>
#include <QAbstractProxyModel>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace {

// What Qt's model checks said while one lives.
class ModelWarnings {
public:
    ModelWarnings() { s_said = {}; m_previous = qInstallMessageHandler(&Keep); }
    ~ModelWarnings() { qInstallMessageHandler(m_previous); }
    static const QStringList& Said() { return s_said; }

private:
    static void Keep(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            s_said << text;
    }
    static inline QStringList s_said;
    QtMessageHandler m_previous = nullptr;
};

// Every index the model gives, depth first.
void Walk(const QAbstractItemModel& model, const QModelIndex& parent, QModelIndexList& into)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        into << child;
        Walk(model, child, into);
    }
}

class TreeFilterTest : public ViewerTest {
protected:
    // Folder "A" of WriteEveryKind, and a folder "STATION" with LEVEL
    // records named in half- and full-width forms.
    void StartOnTwoFolders()
    {
        WriteEveryKind(m_card);
        m_card.Write("STATION/LEVEL/STATION.cnt", "3\n1.00\n");
        m_card.Write("STATION/LEVEL/STATION.CSV",
                     "h\n" + MeasurementLine(EncodeCardText("ｶﾞｰﾃﾞﾝ"), "0")
                         + MeasurementLine(EncodeCardText("Ｔｏｗｅｒ"), "0") + MeasurementLine("west", "0"));
        Start(StartWithFolder(m_card.Root()));
    }
    QLineEdit* Field() const { return Child<QLineEdit>("m_filterEdit"); }
    void Type(const QString& text)
    {
        Field()->clear();
        // Key by key, as typed: each stroke filters again.
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(Field(), &press);
        }
    }
    // The labels of every row the tree shows under the kind headings, in order.
    QStringList Shown() const
    {
        QStringList labels;
        const QAbstractItemModel* model = Tree()->model();
        for (int kind = 0; kind < model->rowCount(); ++kind) {
            const QModelIndex heading = model->index(kind, 0);
            for (int f = 0; f < model->rowCount(heading); ++f) {
                const QModelIndex folder = model->index(f, 0, heading);
                for (int r = 0; r < model->rowCount(folder); ++r)
                    labels << folder.data().toString() + "/" + model->index(r, 0, folder).data().toString().trimmed();
            }
        }
        return labels;
    }
    QString Count() const { return Child<QLabel>("m_filterCount")->text(); }
};

TEST_F(TreeFilterTest, KeepsRecordsByNameChannelSystemOrFolderIgnoringCaseAndWidth)
{
    StartOnTwoFolders();
    struct Case {
        const char* typed;
        QStringList shown;
    } cases[] = {
        {"LEVEL2", {"A/2:level2"}},
        {"ｇａｒｄｅｎ", {}},
        {"ガーデン", {"STATION/1:ｶﾞｰﾃﾞﾝ"}},
        {"tower", {"STATION/2:Ｔｏｗｅｒ"}},
        {"TOWER", {"STATION/2:Ｔｏｗｅｒ"}},
        {"ｓｔａｔｉｏｎ", {"STATION/1:ｶﾞｰﾃﾞﾝ", "STATION/2:Ｔｏｗｅｒ", "STATION/3:west"}},
        {"multi1", {"A/1:multi1"}},
        {"17", {"A/1:multi1"}}, // the fifth channel of the multi-channel record
        {"nothing like it", {}},
    };
    for (const Case& c : cases) {
        Type(QString::fromUtf8(c.typed));
        EXPECT_EQ(Shown(), c.shown) << c.typed;
        EXPECT_EQ(Count(), QString("%1 件").arg(c.shown.size())) << c.typed;
        // The five kind headings always stay.
        EXPECT_EQ(Tree()->model()->rowCount(), 5) << c.typed;
    }
}

TEST_F(TreeFilterTest, SystemLabelIsSearchedAsTheScreenShowsIt)
{
    StartOnTwoFolders();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindSky)));
    const QString system = Text("m_systemLabel").trimmed();
    ASSERT_FALSE(system.isEmpty());
    Type(system);
    EXPECT_TRUE(Shown().contains("A/1:sky1")) << system.toStdString();
}

// The field's text at its latest painting.
class PaintedText : public QObject {
public:
    explicit PaintedText(QLineEdit* field) : m_field(field) { field->installEventFilter(this); }
    QString Last() const { return m_last; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_field && event->type() == QEvent::Paint)
            m_last = m_field->text();
        return false;
    }

private:
    QLineEdit* m_field;
    QString m_last;
};

// On a large card the tree takes a while to follow a key: the field shows
// the key first, so that typing never looks lost meanwhile.
TEST_F(TreeFilterTest, FieldShowsEachKeyBeforeTheTreeFollowsIt)
{
    StartOnTwoFolders();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(Tree(), Qt::Key_F, Qt::ControlModifier);
    PaintedText painted(Field());
    QStringList shownAtFiltering;
    const auto note = [&] { shownAtFiltering << painted.Last(); };
    const QAbstractItemModel* model = Tree()->model();
    QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, &painted, note);
    QObject::connect(model, &QAbstractItemModel::layoutAboutToBeChanged, &painted, note);
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, &painted, note);
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeInserted, &painted, note);
    QTest::keyClicks(Field(), "st");
    ASSERT_FALSE(shownAtFiltering.isEmpty());
    EXPECT_EQ(shownAtFiltering.front(), "s");
    EXPECT_EQ(shownAtFiltering.back(), "st");
}

// ↑ ↓ go through what the filter keeps, from the field as from the tree;
// Esc brings the whole tree back and keeps the record shown.
TEST_F(TreeFilterTest, ArrowsPageThroughTheKeptRecordsAndEscClears)
{
    StartOnTwoFolders();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(Tree(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(m_window->focusWidget(), Field());
    QTest::keyClicks(Field(), "station");
    std::vector<QString> captions;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(Field(), Qt::Key_Down);
        captions.push_back(Text("m_captionLabel").trimmed());
    }
    // Heading, folder, then its three records: nothing from the other folder.
    EXPECT_EQ(captions, (std::vector<QString>{"", "ｶﾞｰﾃﾞﾝ", "Ｔｏｗｅｒ", "west"}));
    QTest::keyClick(Field(), Qt::Key_Up);
    EXPECT_EQ(Text("m_captionLabel").trimmed(), "Ｔｏｗｅｒ");
    QTest::keyClick(Field(), Qt::Key_Escape);
    EXPECT_EQ(Field()->text(), "");
    EXPECT_EQ(Count(), "");
    EXPECT_EQ(Text("m_captionLabel").trimmed(), "Ｔｏｗｅｒ");
    EXPECT_EQ(Shown().size(), 10);
    EXPECT_FALSE(Tree()->isExpanded(TreeItem({1})));
    QTest::keyClick(Field(), Qt::Key_Escape);
    EXPECT_EQ(m_window->focusWidget(), Tree());
}

// Capitals typed in the field take the keyboard's Shift, which is not the
// meter's: the シフト toggle stays as it was, on or off.
TEST_F(TreeFilterTest, ShiftTypedInTheFieldLeavesTheShiftToggleAlone)
{
    StartOnTwoFolders();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(Tree(), Qt::Key_F, Qt::ControlModifier);
    for (const bool on : {false, true}) {
        if (Button("m_shiftButton")->isChecked() != on)
            QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
        Field()->clear();
        QTest::keyClick(Field(), 'W', Qt::ShiftModifier);
        QTest::keyClicks(Field(), "est");
        EXPECT_EQ(Field()->text(), "West") << on;
        EXPECT_EQ(Button("m_shiftButton")->isChecked(), on) << on;
        EXPECT_EQ(Count(), "1 件") << on;
    }
}

// Typing is no key of the meter: ↑ ↓ in the field page through the tree
// even while the シフト toggle is on.
TEST_F(TreeFilterTest, ArrowsInTheFieldPageWhateverTheShiftToggle)
{
    StartOnTwoFolders();
    QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
    QTest::keyClicks(Field(), "station");
    const int before = CurrentId();
    QTest::keyClick(Field(), Qt::Key_Down);
    EXPECT_NE(CurrentId(), before);
    EXPECT_TRUE(Button("m_shiftButton")->isChecked());
    EXPECT_EQ(Field()->text(), "station");
}

// The filter answers the view's questions about its rows itself, so its
// rows, parents and mappings must agree with one another whatever is typed.
TEST_F(TreeFilterTest, RowsParentsAndMappingsAgreeWhateverIsTyped)
{
    StartOnTwoFolders();
    const auto* filter = dynamic_cast<const QAbstractProxyModel*>(Tree()->model());
    ASSERT_NE(filter, nullptr);
    for (const char* typed : {"", "station", "ｇａｒｄｅｎ", "ガーデン", "17", "level", "A", "nothing like it", ""}) {
        SCOPED_TRACE(typed);
        Type(QString::fromUtf8(typed));
        {
            ModelWarnings warnings;
            QAbstractItemModelTester tester(Tree()->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
            EXPECT_EQ(warnings.Said(), QStringList());
        }
        QModelIndexList shown;
        Walk(*filter, {}, shown);
        for (const QModelIndex& index : shown) {
            const QModelIndex source = filter->mapToSource(index);
            ASSERT_TRUE(source.isValid());
            EXPECT_EQ(filter->mapFromSource(source), index);
            EXPECT_EQ(index.data().toString(), source.data().toString());
            EXPECT_EQ(filter->hasChildren(index), filter->rowCount(index) > 0);
        }
    }
}

// A card read again is searched afresh, and the text typed goes on
// filtering what was read.
TEST_F(TreeFilterTest, ARescanIsFilteredByTheTextTyped)
{
    StartOnTwoFolders();
    Type("west");
    ASSERT_EQ(Shown(), QStringList{"STATION/3:west"});
    m_card.Write("STATION/LEVEL/STATION.CSV",
                 "h\n" + MeasurementLine("northwest", "0") + MeasurementLine("east", "0") + MeasurementLine("west", "0"));
    m_window->OpenDataFolder(m_card.Root());
    EXPECT_EQ(Shown(), (QStringList{"STATION/1:northwest", "STATION/3:west"}));
    EXPECT_EQ(Count(), "2 件");
}

} // namespace
