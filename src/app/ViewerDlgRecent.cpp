// ファイル > 最近使ったフォルダ: the folders opened last, newest first.
#include "CViewerDlg.h"

#include "app/settings/RecentFolders.h"
#include "app/settings/SettingsKeys.h"
#include "ui_CViewerDlg.h"

#include <QFile>
#include <QMenu>

void CViewerDlg::ConnectRecentFolders()
{
    m_recentMenu = new QMenu(QStringLiteral("最近使ったフォルダ(&R)"), this);
    m_recentMenu->setObjectName("m_recentMenu");
    m_ui->menuFile->insertMenu(m_ui->actionSaveScreen, m_recentMenu);
    // Made afresh each time it opens: a card inserted or removed since shows.
    connect(m_recentMenu, &QMenu::aboutToShow, this, &CViewerDlg::FillRecentMenu);
}

void CViewerDlg::FillRecentMenu()
{
    m_recentMenu->clear();
    const ProfileFile file(QFile::encodeName(m_strIniPath).toStdString());
    const std::vector<std::string> folders =
        ExistingFolders(RecentFolders(file, m_strAppName.toStdString()).Read());
    if (folders.empty())
        m_recentMenu->addAction(QStringLiteral("(なし)"))->setEnabled(false);
    int number = 0;
    for (const std::string& folder : folders) {
        QString text = QFile::decodeName(QByteArray::fromStdString(folder));
        text.replace('&', "&&");
        // The numbers 1 to 8 are the entries' access keys.
        ++number;
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(text));
        // A folder opened before was agreed to then: no questions again.
        connect(action, &QAction::triggered, this, [this, folder] { OpenDataFolder(folder); });
    }
}

void CViewerDlg::RememberOpenedFolder(const std::string& folder)
{
    const ProfileFile file(QFile::encodeName(m_strIniPath).toStdString());
    std::vector<ProfileFile::Setting> settings = {{SettingsKey::kLastFolder, folder}};
    for (ProfileFile::Setting& recent : RecentFolders(file, m_strAppName.toStdString()).Adding(folder))
        settings.push_back(std::move(recent));
    WriteSettings(settings);
}
