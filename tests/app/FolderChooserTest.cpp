#include "FolderChooser.h"
#include "support/PrivateMounts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace {

// The side bar of the chooser as it opens, read while it runs and then
// cancelled.
QList<QUrl> SideBarOfChooser(DialogFolderChooser& chooser)
{
    QList<QUrl> places;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            places = dialog->sidebarUrls();
            dialog->reject();
        }
    });
    std::string chosen;
    EXPECT_FALSE(chooser.BrowseForFolder(nullptr, {}, chosen));
    return places;
}

// The folder the chooser shows as it opens on `initial`, read while it runs
// and then cancelled.
QString FolderOfChooser(const std::string& initial)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    DialogFolderChooser chooser;
    std::string chosen;
    EXPECT_FALSE(chooser.BrowseForFolder(nullptr, initial, chosen));
    return shown;
}

// A folder given opens among its neighbours; with none, or one that is gone,
// the chooser opens at home, not wherever the program was started.
TEST(FolderChooserTest, OpensBesideTheGivenFolderElseAtHome)
{
    QTemporaryDir started;
    ASSERT_TRUE(started.isValid());
    ASSERT_TRUE(QDir(started.path()).mkpath("card/KR80A"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(started.path()));
    const QString card = started.path() + "/card";
    const struct {
        std::string initial;
        QString shown;
    } cases[] = {
        {(card + "/KR80A").toStdString(), card},
        {"", QDir::homePath()},
        {(card + "/GONE").toStdString(), QDir::homePath()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderOfChooser(c.initial).toStdString(), c.shown.toStdString()) << c.initial;
    QDir::setCurrent(before);
}

bool MountMemory(const char* point)
{
    return ::mount("kr80a-test", point, "tmpfs", 0, "size=1m") == 0;
}

// A card inserted shows among the chooser's places, where desktops mount
// it; the system's own disk does not.
TEST(FolderChooserTest, SideBarListsTheMountedRemovableMedia)
{
    if (const char* why = NoPrivateMounts())
        GTEST_SKIP() << why;
    // Mounts of this test process alone: /media itself is replaced by memory.
    ASSERT_TRUE(MountMemory("/media")) << std::strerror(errno);
    ASSERT_TRUE(QDir().mkpath("/media/CARD") && QDir().mkpath("/media/EMPTY"));
    ASSERT_TRUE(MountMemory("/media/CARD")) << std::strerror(errno);

    DialogFolderChooser chooser;
    const QList<QUrl> places = SideBarOfChooser(chooser);
    EXPECT_TRUE(places.contains(QUrl::fromLocalFile("/media/CARD"))) << places.size();
    EXPECT_FALSE(places.contains(QUrl::fromLocalFile("/media/EMPTY")));
    EXPECT_FALSE(places.contains(QUrl::fromLocalFile("/media")));

    // Taken out: gone from the next chooser.
    ASSERT_EQ(::umount2("/media/CARD", MNT_DETACH), 0);
    EXPECT_FALSE(SideBarOfChooser(chooser).contains(QUrl::fromLocalFile("/media/CARD")));
    ::umount2("/media", MNT_DETACH);
}

} // namespace
