#include "FolderChooser.h"
#include "support/PrivateMounts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
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
