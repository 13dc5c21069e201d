// What the screen area shows around and in the screen, and the version box.
#include "ViewerFixture.h"

#include "CAboutDlg.h"
#include "WholeText.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The screen window drawn onto a device of the given pixel ratio.
QImage RenderAtRatio(QWidget& screen, qreal ratio)
{
    const QSize device(qRound(screen.width() * ratio), qRound(screen.height() * ratio));
    QImage image(device, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::red);
    screen.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// How many device pixels each canvas pixel got along one axis; fails unless
// the device pixels show the canvas pixels in order, every one of them.
std::vector<int> Runs(const std::vector<int>& sourceOf, int sourceCount)
{
    std::vector<int> runs(static_cast<std::size_t>(sourceCount), 0);
    for (std::size_t i = 0; i < sourceOf.size(); ++i) {
        EXPECT_TRUE(i == 0 || sourceOf[i] == sourceOf[i - 1] || sourceOf[i] == sourceOf[i - 1] + 1) << i;
        if (sourceOf[i] >= 0 && sourceOf[i] < sourceCount)
            ++runs[static_cast<std::size_t>(sourceOf[i])];
    }
    return runs;
}

TEST(ScreenViewTest, FillsTheWindowAtEveryDisplayScaleWithoutSmoothing)
{
    ScreenView view;
    view.resize(320, 240);
    view.Present();
    // Every picture pixel's colour names its place, so each device pixel
    // tells which picture pixel it shows. (A canvas holds a few colours only,
    // so the picture is made here and scaled as the window scales its own.)
    QImage picture(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.setPixel(x, y, static_cast<QRgb>(x) << 12 | static_cast<QRgb>(y));
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(ratio);
        // The window paints every device pixel: none of the red beneath is left.
        const QImage shown = RenderAtRatio(view, ratio);
        ASSERT_EQ(shown.size(), QSize(qRound(320 * ratio), qRound(240 * ratio)));
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ASSERT_NE(shown.pixel(x, y), QColor(Qt::red).rgb()) << x << "," << y;
        const QImage image = ScaledNearest(picture, shown.size());
        std::vector<int> columnOf(static_cast<std::size_t>(image.width()));
        std::vector<int> rowOf(static_cast<std::size_t>(image.height()));
        for (int x = 0; x < image.width(); ++x)
            columnOf[static_cast<std::size_t>(x)] = static_cast<int>((image.pixel(x, 0) & 0xFFFFFF) >> 12);
        for (int y = 0; y < image.height(); ++y)
            rowOf[static_cast<std::size_t>(y)] = static_cast<int>(image.pixel(0, y) & 0xFFF);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF,
                          static_cast<QRgb>(columnOf[static_cast<std::size_t>(x)]) << 12
                              | static_cast<QRgb>(rowOf[static_cast<std::size_t>(y)]))
                    << x << "," << y;
        // Whole scales repeat each pixel exactly; fractional ones make some
        // rows and columns one device pixel wider.
        const int low = static_cast<int>(ratio), high = static_cast<int>(std::ceil(ratio));
        for (const auto& runs : {Runs(columnOf, 320), Runs(rowOf, 240)})
            for (int run : runs)
                ASSERT_TRUE(run == low || run == high) << run;
    }
}

TEST(WholeTextTest, NarrowsTheFontOnlyWhenTheTextDoesNotFit)
{
    QWidget window;
    window.setFont(QFont("IPAPGothic", 9));
    QLabel label(&window);
    label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label.setGeometry(0, 0, 25, 15);
    const int room = label.contentsRect().width();
    const struct {
        const char* text;
        bool narrowed;
    } cases[] = {{"5", false}, {"999", false}, {"1005", true}, {"1234567", true}, {"12", false}};
    for (const auto& c : cases) {
        ShowWholeText(&label, c.text);
        EXPECT_EQ(label.text(), c.text);
        EXPECT_LE(QFontMetrics(label.font()).horizontalAdvance(label.text()), room) << c.text;
        EXPECT_EQ(label.font().stretch() != QFont::AnyStretch, c.narrowed) << c.text;
        EXPECT_EQ(QFontMetrics(label.font()).height(), QFontMetrics(window.font()).height()) << c.text;
    }
}

TEST_F(ViewerTest, FourDigitRecordNumbersShowWhole)
{
    std::string csv = "h0,h1,h2\n";
    for (int record = 1; record <= 1005; ++record)
        csv += MeasurementLine("r" + std::to_string(record), "0");
    m_card.Write("A/LEVEL/A.cnt", "1005\n1.00\n");
    m_card.Write("A/LEVEL/A.CSV", csv);
    Start(StartWithFolder(m_card.Root()));
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel) + 1004));
    for (const char* name : {"m_numberLabel", "m_countLabel"}) {
        const QLabel* label = Child<QLabel>(name);
        EXPECT_EQ(label->text(), "1005");
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance("1005"), label->contentsRect().width()) << name;
    }
}

TEST_F(ViewerTest, LongNamesCanBeReadWholeInToolTips)
{
    const std::string longName(60, 'N');
    m_card.Write("A/LEVEL/A.cnt", "1\n1.00\n");
    m_card.Write("A/LEVEL/A.CSV", "h0,h1,h2\n" + MeasurementLine(longName, "0"));
    Start(StartWithFolder(m_card.Root()));
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    EXPECT_EQ(Child<QLabel>("m_captionLabel")->toolTip().toStdString(), longName);
    const QAbstractItemModel* model = Tree()->model();
    int items = 0;
    std::function<void(const QModelIndex&)> visit = [&](const QModelIndex& parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            EXPECT_EQ(index.data(Qt::ToolTipRole), index.data(Qt::DisplayRole));
            ++items;
            visit(index);
        }
    };
    visit(QModelIndex());
    EXPECT_GT(items, 5);
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel) - 1));
    EXPECT_EQ(Child<QLabel>("m_captionLabel")->toolTip(), ""); // nothing shown, no tip
}

TEST_F(ViewerTest, VersionBoxOpensFromTheMenuAndEndsWithEnterOrEsc)
{
    Start("");
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        bool opened = false;
        QTimer::singleShot(0, [&opened, key] {
            auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            opened = true;
            EXPECT_EQ(box->windowTitle(), "KR80A/80 CSV ビューアのﾊﾞｰｼﾞｮﾝ情報");
            const QList<QLabel*> labels = box->findChildren<QLabel*>();
            EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
                return label->text() == "KR80A/80 CSV ビューア Version 1.2";
            }));
            const auto* ok = box->findChild<QPushButton*>("m_okButton");
            ASSERT_NE(ok, nullptr);
            EXPECT_TRUE(ok->isDefault());
            QTest::keyClick(box, key);
            if (box->isVisible()) { // the key did not end it: end it here, so the test goes on
                ADD_FAILURE() << "still open after key " << key;
                box->reject();
            }
        });
        Child<QAction>("actionAbout")->trigger();
        EXPECT_TRUE(opened);
    }
}

} // namespace
