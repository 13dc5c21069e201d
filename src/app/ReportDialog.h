#pragma once

#include "HandOnChoices.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

// "報告書の作成": the report's cover fields and the measurement folders it
// covers, each with a check box. OK needs at least one folder checked.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    ReportDialog(const ReportChoice& choice, QWidget* parent);

    // The fields and check boxes as the user left them.
    ReportChoice Choice() const;

private:
    void EnableOk();

    std::vector<QLineEdit*> m_fields;
    QListWidget* m_folders = nullptr;
    QPushButton* m_ok = nullptr;
    std::vector<std::string> m_folderNames;
};
