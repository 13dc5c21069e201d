// Saving the screen area to a bitmap file and copying it to the clipboard.
#include "ViewerFixture.h"

#include "data/FileError.h"
#include "support/FileSizeLimit.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <QFileInfo>

#include <functional>
#include <unistd.h>

namespace {

// Runs `answer` on the modal dialog of type T as soon as it is open.
template <typename T> void WhenOpen(std::function<void(T*)> answer)
{
    QTimer::singleShot(0, [answer] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(dialog);
    });
}

// What the save dialog offered when it opened.
struct Offer {
    QString title;
    QString folder;
    QString name;
    QStringList filters;
    QString suffix;
    bool saving = false;
    bool asksBeforeReplacing = false;
};

Offer OfferOf(QFileDialog* dialog)
{
    return {dialog->windowTitle(),
            dialog->directory().absolutePath(),
            dialog->findChild<QLineEdit*>("fileNameEdit")->text(),
            dialog->nameFilters(),
            dialog->defaultSuffix(),
            dialog->acceptMode() == QFileDialog::AcceptSave,
            !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
}

class CaptureTest : public ViewerTest {
protected:
    // Opens the save dialog with Ctrl+S's command; types `path` and saves, or
    // cancels for an empty path. Confirms replacing an existing file.
    Offer Save(const QString& path)
    {
        Offer offer;
        WhenOpen<QFileDialog>([&offer, path](QFileDialog* dialog) {
            offer = OfferOf(dialog);
            if (path.isEmpty())
                return dialog->reject();
            if (QFileInfo::exists(path))
                WhenOpen<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
            QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        Child<QAction>("actionSaveScreen")->trigger();
        return offer;
    }

    // The screen area as the window shows it now.
    QImage ScreenArea() const
    {
        const QWidget* frame = Child<QWidget>("m_screenAreaFrame");
        const QRect area(frame->mapTo(m_window.get(), QPoint(0, 0)), frame->size());
        return m_window->grab().toImage().copy(area).convertToFormat(QImage::Format_RGB32);
    }
};

QImage LoadBitmap(const QString& path)
{
    return QImage(path, "BMP").convertToFormat(QImage::Format_RGB32);
}

TEST_F(CaptureTest, SavedFileHoldsTheScreenAreaAsShown)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    const QString path = QString::fromStdString(m_card.Path("kept"));
    m_window->setFocus();
    const Offer offer = Save(path);

    EXPECT_EQ(offer.title, "名前を付けて保存");
    EXPECT_EQ(offer.name, "level1");
    EXPECT_EQ(offer.filters, QStringList({"ビットマップ(*.bmp)", "すべて (*.*)"}));
    EXPECT_EQ(offer.suffix, "bmp");
    EXPECT_TRUE(offer.saving);
    EXPECT_TRUE(offer.asksBeforeReplacing);
    EXPECT_TRUE(m_messages.m_shown.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(m_window->focusWidget(), Tree());

    const QImage saved = LoadBitmap(path + ".bmp");
    const QWidget* frame = Child<QWidget>("m_screenAreaFrame");
    ASSERT_EQ(saved.size(), frame->size());
    EXPECT_EQ(saved, ScreenArea()); // the labels around the screen too
    const QPoint screenAt = Child<ScreenView>("m_screen")->geometry().topLeft() - frame->geometry().topLeft();
    EXPECT_EQ(saved.copy(QRect(screenAt, QSize(320, 240))), ShownPicture());
    QFile file(path + ".bmp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    EXPECT_EQ(header[10], 54); // 32 bits a pixel, no colour table
    EXPECT_EQ(header[28], 32);
}

TEST_F(CaptureTest, DialogOpensInTheLastSaveFolderElsePicturesElseHome)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    const QString home = QDir::homePath();
    QDir(home + "/Pictures").removeRecursively();
    EXPECT_EQ(Save("").folder, home);
    QDir().mkpath(home + "/Pictures");
    EXPECT_EQ(Save("").folder, home + "/Pictures");
    const QString elsewhere = QString::fromStdString(m_card.MakeFolder("elsewhere"));
    Save(elsewhere + "/one.bmp");
    EXPECT_EQ(Save("").folder, elsewhere);
    QDir(home + "/Pictures").removeRecursively();
}

TEST_F(CaptureTest, DefaultNameIsTheTrimmedDataNameAsOneFileName)
{
    const std::pair<std::string, const char*> cases[] = {
        {"   ", ""},
        {" 東京 ", "東京"},
        {"A/B", "A_B"},
        {"tab\x01" "end", "tab_end"},
        {"..", "_"},
        {"a:b*c?\"<>|\\. ", "a_b_c______"},
        {"con", "con_"},
        {"lpt9", "lpt9_"},
    };
    std::string csv = "h0,h1,h2\n";
    for (const auto& [title, name] : cases)
        csv += MeasurementLine(EncodeCardText(title), "0");
    m_card.Write("A/LEVEL/A.cnt", std::to_string(std::size(cases)) + "\n1.00\n");
    m_card.Write("A/LEVEL/A.CSV", csv);
    Start(StartWithFolder(m_card.Root()));
    int id = FirstRecordOf(kindLevel);
    for (const auto& [title, name] : cases) {
        ASSERT_TRUE(SelectId(id++));
        EXPECT_EQ(Save("").name, QString::fromUtf8(name)) << title;
    }
    // Cancelling wrote nothing.
    EXPECT_EQ(QDir(QString::fromStdString(m_card.Root())).entryList(QDir::Files).size(), 0);
    EXPECT_TRUE(m_messages.m_shown.empty());
}

TEST_F(CaptureTest, FailedSaveSaysSoAndKeepsTheFileThere)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    const std::string path = m_card.Write("kept.bmp", "older picture");
    {
        FileSizeLimit diskFull(1000);
        Save(QString::fromStdString(path));
    }
    EXPECT_EQ(m_messages.m_shown, std::vector<std::string>{FileErrorText(FileErrorCause::Other, path)});
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "older picture");
    EXPECT_EQ(QDir(QString::fromStdString(m_card.Root())).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A full disk has words of its own; a device behind the name stays a device.
TEST_F(CaptureTest, AFullDiskIsSaidAsSuch)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    const std::string path = m_card.Path("full.bmp");
    ASSERT_EQ(::symlink("/dev/full", path.c_str()), 0);
    Save(QString::fromStdString(path));
    EXPECT_EQ(m_messages.m_shown, std::vector<std::string>{"ディスクの空き容量が不足しています"});
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists());
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path)).isSymLink());
}

TEST_F(CaptureTest, ClipboardHoldsThePictureASaveWrites)
{
    StartOnCard();
    ASSERT_TRUE(SelectId(FirstRecordOf(kindMulti)));
    QTest::keyClick(m_window.get(), Qt::Key_Right); // the picture as the keys left it
    QGuiApplication::clipboard()->clear();
    m_window->setFocus();
    Button("m_copyButton")->click();
    EXPECT_EQ(m_window->focusWidget(), Tree());
    const QString path = QString::fromStdString(m_card.Path("multi.bmp"));
    Save(path);
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(copied.isNull());
    EXPECT_EQ(copied, LoadBitmap(path));
}

} // namespace
