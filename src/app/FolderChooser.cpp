#include "FolderChooser.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QUrl>

namespace {

bool WhereMediaAreMounted(const QUrl& place)
{
    const QString path = place.toLocalFile();
    return path.startsWith(QLatin1String("/media/")) || path.startsWith(QLatin1String("/run/media/"));
}

// The places the dialog keeps from one run to the next, less the media that
// are gone, then every removable medium mounted now: a card is found where
// the user looks for it.
QList<QUrl> PlacesWithMedia(const QList<QUrl>& kept, const std::string& mountTable)
{
    QList<QUrl> media;
    for (const std::string& folder : RemovableMediaFolders(ReadMountTable(mountTable)))
        media.append(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(folder))));
    QList<QUrl> places;
    for (const QUrl& place : kept) {
        if (!WhereMediaAreMounted(place) || media.contains(place))
            places.append(place);
    }
    for (const QUrl& medium : media) {
        if (!places.contains(medium))
            places.append(medium);
    }
    return places;
}

} // namespace

QString FolderTypeNames::type(const QFileInfo& info) const
{
    return info.isDir() ? QStringLiteral("フォルダ") : QFileIconProvider::type(info);
}

bool DialogFolderChooser::BrowseForFolder(QWidget* owner, const std::string& initial, std::string& result)
{
    result.clear();
    FolderTypeNames typeNames;
    QFileDialog dialog(owner, QStringLiteral("フォルダを選択してください"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Choosing a folder makes, renames and deletes nothing: no new-folder
    // button, no such entries in the context menu (the card is only read).
    dialog.setOption(QFileDialog::ReadOnly);
    // Qt's own dialog speaks the viewer's language whatever the desktop's
    // native dialog would.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&typeNames);
    dialog.setSidebarUrls(PlacesWithMedia(dialog.sidebarUrls(), m_mountTable));
    // The initial folder is shown selected among its neighbours. Without one
    // the user's home is shown: the folder the program happened to be started
    // in means nothing to the user, and the media are in the side bar.
    const QFileInfo start(QFile::decodeName(QByteArray::fromStdString(initial)));
    if (!initial.empty() && start.isDir()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.absoluteFilePath());
    } else {
        dialog.setDirectory(QDir::home());
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = QFile::encodeName(dialog.selectedFiles().value(0)).toStdString();
    return true;
}
