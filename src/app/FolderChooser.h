#pragma once

#include "MountTable.h"

#include <QFileIconProvider>

#include <string>

class QWidget;

// The modal folder chooser that the main window and the options dialog run.
// The window holds one; tests answer it without a dialog.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    // Runs the chooser for `owner`, opening on `initial` (its own default when
    // that is empty or no folder). True when the user confirmed a choice,
    // with `result` the chosen path as the file system spells it, exactly as
    // the chooser gave it; false, with `result` empty, when cancelled.
    virtual bool BrowseForFolder(QWidget* owner, const std::string& initial, std::string& result) = 0;
};

// The chooser as a Qt file dialog in folder mode, titled
// "フォルダを選択してください", in which the user may also type a path. Its
// side bar lists the removable media that the mount table at `mountTable`
// holds when it opens.
class DialogFolderChooser : public FolderChooser {
public:
    explicit DialogFolderChooser(std::string mountTable = kOwnMountTable) : m_mountTable(std::move(mountTable)) {}
    bool BrowseForFolder(QWidget* owner, const std::string& initial, std::string& result) override;

private:
    std::string m_mountTable;
};

// Qt's Japanese texts name every other part of a file dialog, but not the
// type of a folder in the details view.
class FolderTypeNames : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override;
};
