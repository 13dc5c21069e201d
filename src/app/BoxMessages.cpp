#include "BoxMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// The texts may hold folder and file names from the card, which are shown as
// written, never read as markup.
QMessageBox::StandardButton ShowWarningBox(const QString& caption, const std::string& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::Warning, caption, QString::fromStdString(text), buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void BoxMessages::ShowMessage(const std::string& text)
{
    ShowWarningBox(m_caption, text, QMessageBox::Ok, QMessageBox::NoButton);
}

bool BoxMessages::AskYesNo(const std::string& text)
{
    return ShowWarningBox(m_caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}
