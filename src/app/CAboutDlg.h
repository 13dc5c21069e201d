#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CAboutDlg;
}

// The version box: logo, icon, the viewer's name and version, and the
// versions it was built and runs with. OK, Enter, Esc or the close box end it.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::CAboutDlg> m_ui;
};
