#include "RunningCopyLink.h"
#include "ViewerFixture.h"
#include "app/settings/ProfileFile.h"

#include <QDropEvent>
#include <QLocalServer>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>

namespace {

std::string StoredFolder()
{
    return ProfileFile(SettingsFile().toStdString()).ReadText("KR80A_Viewer", "Folder", "<none>");
}

class OutsideFolderTest : public ViewerTest {
protected:
    // A card "KR80A" beside the running card, holding folder "B".
    std::string OtherCard()
    {
        m_other.Write("KR80A/B/LEVEL/B.cnt", "1\n1.00\n");
        m_other.Write("KR80A/B/LEVEL/B.CSV", "h\n" + MeasurementLine("other", "0"));
        return m_other.Path("KR80A");
    }
    void Drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = m_window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window.get(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window.get(), &drop);
        QCoreApplication::processEvents();
    }

    TempCard m_other;
};

// The card's root named on the command line gets the same offer as a choice
// in the chooser, and the folder taken replaces the start-up folder.
TEST_F(OutsideFolderTest, CommandLineFolderIsOpenedAsAChoiceWould)
{
    WriteEveryKind(m_card);
    const std::string card = OtherCard();
    WriteSettings(StartWithFolder(m_card.Root()));
    m_window = std::make_unique<CViewerDlg>(m_messages, m_chooser);
    m_window->SetFolderToOpen(m_other.Root());
    ASSERT_TRUE(m_window->OnCreate());
    m_window->OnInitDialog();
    EXPECT_EQ(m_messages.m_shown,
              std::vector<std::string>{m_other.Root() + " にKR80Aフォルダがあります。\nこのフォルダを開きますか？"});
    EXPECT_EQ(ShownFolder(), card);
    EXPECT_EQ(TreeItem({0, 0}).data().toString(), "B");
    EXPECT_EQ(StoredFolder(), card);
}

TEST_F(OutsideFolderTest, ADroppedFolderOpensAndAnythingElseIsIgnored)
{
    StartOnCard();
    const std::string card = OtherCard();
    m_other.Write("file.txt", "x");
    Drop({QUrl::fromLocalFile(QString::fromStdString(m_other.Path("file.txt")))});
    Drop({QUrl::fromLocalFile(QString::fromStdString(card)), QUrl::fromLocalFile("/tmp")});
    Drop({QUrl("https://example.invalid/KR80A")});
    EXPECT_EQ(ShownFolder(), m_card.Root());
    EXPECT_EQ(TreeItem({0, 0}).data().toString(), "A");
    Drop({QUrl::fromLocalFile(QString::fromStdString(card))});
    EXPECT_EQ(ShownFolder(), card);
    EXPECT_EQ(TreeItem({0, 0}).data().toString(), "B");
    EXPECT_TRUE(m_messages.m_shown.empty());
}

// A later start hands its folder to this window, which opens it.
TEST_F(OutsideFolderTest, ALaterStartHandsItsFolderOver)
{
    StartOnCard();
    const std::string card = OtherCard();
    ASSERT_TRUE(RunningCopyLink::HandOver("KR80A_Viewer", QByteArray::fromStdString(card)));
    for (int i = 0; i < 100 && ShownFolder() != card; ++i)
        QTest::qWait(20);
    EXPECT_EQ(ShownFolder(), card);
    EXPECT_EQ(TreeItem({0, 0}).data().toString(), "B");
}

// A socket left behind by a copy that crashed: nobody listens on it, the hand
// over fails at once, and the next copy to run listens in its place.
TEST(RunningCopyLinkTest, AStaleSocketNeverBlocks)
{
    TempCard runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Root()));
    const QByteArray path = QFile::encodeName(RunningCopyLink::SocketPath("KR80A_Viewer"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.constData());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // bound, never listened on, now owned by nobody

    EXPECT_FALSE(RunningCopyLink::HandOver("KR80A_Viewer", "/x", 60000));
    RunningCopyLink link;
    QByteArray received = "<none>";
    QObject::connect(&link, &RunningCopyLink::Reached, [&](const QByteArray& folder) { received = folder; });
    ASSERT_TRUE(link.Listen("KR80A_Viewer"));
    EXPECT_TRUE(RunningCopyLink::HandOver("KR80A_Viewer", "/media/card/KR80A"));
    for (int i = 0; i < 100 && received == "<none>"; ++i)
        QTest::qWait(20);
    EXPECT_EQ(received, "/media/card/KR80A");
    qputenv("XDG_RUNTIME_DIR", saved);
}

} // namespace
