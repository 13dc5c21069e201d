#include "FolderChooser.h"

#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QUrl>

namespace {

// The dialog's own places, then every removable medium: a card is found
// where the user looks for it.
QList<QUrl> PlacesWithMedia(QList<QUrl> places, const std::string& mountTable)
{
    for (const std::string& folder : RemovableMediaFolders(ReadMountTable(mountTable))) {
        const QUrl medium = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(folder)));
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
    // The initial folder is shown selected among its neighbours.
    const QFileInfo start(QFile::decodeName(QByteArray::fromStdString(initial)));
    if (!initial.empty() && start.isDir()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.absoluteFilePath());
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = QFile::encodeName(dialog.selectedFiles().value(0)).toStdString();
    return true;
}
