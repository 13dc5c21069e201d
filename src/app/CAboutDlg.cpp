#include "CAboutDlg.h"

#include "ViewerIcons.h"
#include "ui_CAboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CAboutDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    m_ui->m_logo->setPixmap(ViewerLogo(m_ui->m_logo->size(), devicePixelRatioF()));
    m_ui->m_icon->setPixmap(ViewerIcon("app").pixmap(QSize(32, 32), devicePixelRatioF()));
    m_ui->m_buildLabel->setText(QStringLiteral("Linux 版 1.2 / Qt %1").arg(QString::fromLatin1(qVersion())));
}

CAboutDlg::~CAboutDlg() = default;
