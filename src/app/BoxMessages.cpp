#include "BoxMessages.h"

#include <QApplication>
#include <QMessageBox>

void BoxMessages::ShowMessage(const std::string& text)
{
    QMessageBox::warning(QApplication::activeWindow(), m_caption, QString::fromStdString(text),
                         QMessageBox::Ok);
}

bool BoxMessages::AskYesNo(const std::string& text)
{
    const auto answer = QMessageBox::warning(QApplication::activeWindow(), m_caption,
                                             QString::fromStdString(text),
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}
