#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QWidget;

// What the user fills in for a report: the cover fields in the cover's order
// (件名, 顧客名, 現場名, 作業者, 測定日, 測定器) and the measurement folders,
// each with whether it is checked.
struct ReportChoice {
    std::vector<QString> cover;
    std::vector<std::pair<std::string, bool>> folders;
};

// The dialogs of the ファイル menu's hand-on commands and the hand-over to
// the desktop. The window holds one; tests answer it without a dialog.
class HandOnChoices {
public:
    virtual ~HandOnChoices() = default;
    // The folder the pictures go to, opening on `initial`, as the file
    // system spells it; false when cancelled.
    virtual bool ChooseSaveFolder(QWidget* owner, const QString& initial, std::string& folder) = 0;
    // A file to save as, starting with `suggested`; false when cancelled.
    virtual bool ChooseSaveFile(QWidget* owner, const QString& suggested, const QString& filter, QString& path) = 0;
    // The report dialog, starting from `choice`; false when cancelled.
    virtual bool EditReport(QWidget* owner, ReportChoice& choice) = 0;
    // The end message: true when the user asks to open what was written.
    virtual bool OfferToOpen(QWidget* owner, const QString& text) = 0;
    // Opens a folder or file with the desktop's default program.
    virtual void Open(const QString& path) = 0;
};

// The real dialogs: Qt's own file dialog (in Japanese whatever the desktop),
// the report dialog, a message box with 開く and 閉じる, QDesktopServices.
class DialogHandOnChoices : public HandOnChoices {
public:
    bool ChooseSaveFolder(QWidget* owner, const QString& initial, std::string& folder) override;
    bool ChooseSaveFile(QWidget* owner, const QString& suggested, const QString& filter, QString& path) override;
    bool EditReport(QWidget* owner, ReportChoice& choice) override;
    bool OfferToOpen(QWidget* owner, const QString& text) override;
    void Open(const QString& path) override;
};
