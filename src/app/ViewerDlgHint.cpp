// What the screen area says while no card is loaded.
#include "CViewerDlg.h"

#include "ui_CViewerDlg.h"

namespace {

// The five kind headings are always there; anything more is the card's.
constexpr int kKindHeadings = 5;

} // namespace

// A first start shows an empty tree: the blank panel over the screen says
// what to do instead of staying white.
void CViewerDlg::ShowFolderHint()
{
    QLabel* panel = m_ui->m_blankPanel;
    if (m_card.ItemCount() > kKindHeadings) {
        panel->clear();
        return;
    }
    panel->setAlignment(Qt::AlignCenter);
    panel->setWordWrap(true);
    panel->setText(QStringLiteral("カードのフォルダを選択してください\n\n"
                                  "「フォルダを選択する」ボタン、\nまたは Ctrl+O を押します。\n"
                                  "フォルダをここへドロップしても開けます。"));
    panel->raise();
    panel->show();
}
