#include "BoxMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>

namespace {

// The texts may hold folder and file names from the card, which are shown as
// written, never read as markup.
// `quietLater`, when given, puts the check box that silences the rest of a
// batch on the box and receives its state.
QMessageBox::StandardButton ShowWarningBox(const QString& caption, const std::string& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton,
                                           bool* quietLater = nullptr)
{
    QMessageBox box(QMessageBox::Warning, caption, QString::fromStdString(text), buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (quietLater)
        box.setCheckBox(new QCheckBox(QStringLiteral("以降のメッセージを表示しない")));
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (quietLater)
        *quietLater = box.checkBox()->isChecked();
    return answer;
}

} // namespace

void BoxMessages::ShowMessage(const std::string& text)
{
    if (m_bQuiet)
        return;
    ShowWarningBox(m_caption, text, QMessageBox::Ok, QMessageBox::NoButton,
                   m_bInBatch ? &m_bQuiet : nullptr);
}

void BoxMessages::BeginBatch()
{
    m_bInBatch = true;
    m_bQuiet = false;
}

void BoxMessages::EndBatch()
{
    m_bInBatch = m_bQuiet = false;
}

bool BoxMessages::AskYesNo(const std::string& text)
{
    return ShowWarningBox(m_caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}
