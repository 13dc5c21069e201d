// What a scan left out: the line under the tree and the 表示 menu's window.
#include "CViewerDlg.h"

#include "LoadResultsWindow.h"
#include "ui_CViewerDlg.h"

#include <QMenu>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int kLineHeight = 20;

} // namespace

// The line takes the tree's last rows only while there is something to say,
// so that a whole card shows the tree as tall as ever.
void CViewerDlg::InstallLoadResults()
{
    const QRect tree = m_ui->m_tree->geometry();
    // In the tree's own coordinates, as the tree is placed: the menu bar lies
    // above both.
    m_loadResultsLine = new QPushButton(m_ui->m_clientArea);
    m_loadResultsLine->setObjectName("m_loadResultsLine");
    m_loadResultsLine->setFlat(true);
    m_loadResultsLine->setFocusPolicy(Qt::NoFocus);
    m_loadResultsLine->setCursor(Qt::PointingHandCursor);
    m_loadResultsLine->setStyleSheet(QStringLiteral("text-align: left; color: #b00000;"));
    m_loadResultsLine->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_loadResultsLine->setToolTip(QStringLiteral("読み込み結果を表示します"));
    m_loadResultsLine->setGeometry(tree.x(), tree.bottom() - kLineHeight + 1, tree.width(), kLineHeight);
    m_loadResultsLine->hide();
    connect(m_loadResultsLine, &QPushButton::clicked, this, &CViewerDlg::OpenLoadResults);

    auto* viewMenu = new QMenu(QStringLiteral("表示(&V)"), m_ui->m_menuBar);
    viewMenu->setObjectName("menuView");
    m_ui->m_menuBar->insertMenu(m_ui->menuOptions->menuAction(), viewMenu);
    QAction* results = viewMenu->addAction(QStringLiteral("読み込み結果(&L)..."));
    results->setObjectName("actionLoadResults");
    results->setToolTip(QStringLiteral("読み込めなかったフォルダと表示したメッセージを一覧します"));
    connect(results, &QAction::triggered, this, &CViewerDlg::OpenLoadResults);
}

void CViewerDlg::ShowLoadResults()
{
    const int count = static_cast<int>(m_card.LeftOutList().size());
    const bool shown = count > 0;
    const QRect line = m_loadResultsLine->geometry();
    QRect tree = m_ui->m_tree->geometry();
    tree.setBottom(shown ? line.top() - 1 : line.bottom());
    m_ui->m_tree->setGeometry(tree);
    m_loadResultsLine->setText(shown ? LeftOutLine(count) : QString());
    m_loadResultsLine->setVisible(shown);
    if (m_loadResults)
        m_loadResults->Refresh();
}

// One window for the whole run, brought forward when asked for again; the
// main window stays usable beside it.
void CViewerDlg::OpenLoadResults()
{
    if (!m_loadResults)
        m_loadResults = new LoadResultsWindow(m_card, this);
    m_loadResults->Refresh();
    m_loadResults->show();
    m_loadResults->raise();
    m_loadResults->activateWindow();
}
