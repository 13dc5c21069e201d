#pragma once

#include <QDialog>

#include <memory>
#include <string>

class FolderChooser;
class Messages;
namespace Ui {
class COptionDlg;
}

// The options dialog: which folder to scan at start-up and whether to warn
// about folders that are not the meter's. One object serves every display;
// each starts from the values given to SetValues and, on OK, leaves the
// edited values in its members.
class COptionDlg : public QDialog {
    Q_OBJECT
public:
    COptionDlg(Messages& messages, FolderChooser& chooser, QWidget* parent);
    ~COptionDlg() override;

    void SetValues(const std::string& defaultFolder, int useLastFolder, int useDefaultFolder,
                   int folderAlert);
    // Shows the dialog modally: QDialog::Accepted for OK, Rejected otherwise.
    int DoModal();

    // The controls take the members, or (saveAndValidate) the members the
    // checks. The folder member is never read back from its field: the field
    // only shows it, and only "..." changes it.
    void DoDataExchange(bool saveAndValidate);
    void OnInitDialog();
    void OnLastFolderCheck();
    void OnBrowse();
    void OnOK();

    std::string m_strDefaultFolder;
    int m_nUseDefaultFolder = 0;
    int m_nUseLastFolder = 0;
    int m_nFolderAlert = 0;

private:
    void EnableDefaultFolder(bool enable);
    void ShowDefaultFolder();

    std::unique_ptr<Ui::COptionDlg> m_ui;
    Messages& m_messages;
    FolderChooser& m_chooser;
};
