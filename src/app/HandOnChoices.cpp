#include "HandOnChoices.h"

#include "FolderChooser.h"
#include "ReportDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

bool DialogHandOnChoices::ChooseSaveFolder(QWidget* owner, const QString& initial, std::string& folder)
{
    FolderTypeNames typeNames;
    QFileDialog dialog(owner, QStringLiteral("保存先のフォルダを選択してください"), initial);
    dialog.setIconProvider(&typeNames);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    folder = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return true;
}

bool DialogHandOnChoices::ChooseSaveFile(QWidget* owner, const QString& suggested, const QString& filter,
                                         QString& path)
{
    QFileDialog dialog(owner, QStringLiteral("名前を付けて保存"), suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(suggested).suffix());
    dialog.setNameFilter(filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().constFirst();
    return true;
}

bool DialogHandOnChoices::EditReport(QWidget* owner, ReportChoice& choice)
{
    ReportDialog dialog(choice, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

bool DialogHandOnChoices::OfferToOpen(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    QPushButton* open = box.addButton(QStringLiteral("開く(&O)"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("閉じる"), QMessageBox::RejectRole);
    box.setDefaultButton(open);
    box.exec();
    return box.clickedButton() == open;
}

void DialogHandOnChoices::Open(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
