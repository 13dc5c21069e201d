#include "ReportDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct CoverField {
    const char* label;
    const char* objectName;
    const char* hint; // shown in an empty field
};

// In the cover's order.
constexpr CoverField kCoverFields[] = {
    {"件名(&S):", "m_titleEdit", ""},
    {"顧客名(&C):", "m_customerEdit", ""},
    {"現場名(&P):", "m_siteEdit", ""},
    {"作業者(&W):", "m_workerEdit", ""},
    {"測定日(&D):", "m_dateEdit", "空欄のときはデータの日付"},
    {"測定器(&I):", "m_instrumentEdit", ""},
};

// A field stays one line on the cover and fits the settings file's values.
constexpr int kFieldCharacters = 80;

} // namespace

ReportDialog::ReportDialog(const ReportChoice& choice, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("報告書の作成"));
    setMinimumWidth(420);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < std::size(kCoverFields); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(kCoverFields[i].objectName);
        edit->setMaxLength(kFieldCharacters);
        edit->setPlaceholderText(QString::fromUtf8(kCoverFields[i].hint));
        edit->setText(i < choice.cover.size() ? choice.cover[i] : QString());
        form->addRow(QString::fromUtf8(kCoverFields[i].label), edit);
        m_fields.push_back(edit);
    }
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("対象の測定フォルダ:"), this));
    m_folders = new QListWidget(this);
    m_folders->setObjectName("m_folderList");
    for (const auto& [name, checked] : choice.folders) {
        auto* item = new QListWidgetItem(QFile::decodeName(QByteArray::fromStdString(name)), m_folders);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        m_folderNames.push_back(name);
    }
    layout->addWidget(m_folders);
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_folders, &QListWidget::itemChanged, this, &ReportDialog::EnableOk);
    EnableOk();
}

ReportChoice ReportDialog::Choice() const
{
    ReportChoice choice;
    for (const QLineEdit* edit : m_fields)
        choice.cover.push_back(edit->text().trimmed());
    for (int row = 0; row < m_folders->count(); ++row)
        choice.folders.emplace_back(m_folderNames[static_cast<std::size_t>(row)],
                                    m_folders->item(row)->checkState() == Qt::Checked);
    return choice;
}

void ReportDialog::EnableOk()
{
    bool any = false;
    for (int row = 0; row < m_folders->count(); ++row)
        any = any || m_folders->item(row)->checkState() == Qt::Checked;
    m_ok->setEnabled(any);
}
