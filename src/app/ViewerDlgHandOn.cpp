// Handing the card on from the ファイル menu: every record's picture, the
// report and the summary table, made on a thread of their own.
#include "CViewerDlg.h"

#include "HandOnChoices.h"
#include "HandOnRun.h"
#include "app/settings/CoverSettings.h"
#include "data/FileError.h"
#include "data/Messages.h"
#include "handon/CardRecords.h"
#include "handon/OutputFile.h"
#include "handon/PictureExport.h"
#include "handon/ReportPages.h"
#include "handon/SummaryTable.h"
#include "ui_CViewerDlg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <filesystem>

namespace {

const char* const kNothingToHandOn = "保存する測定データがありません。";
const char* const kInsideCard = "カードの中には保存できません。\nカードの外の保存先を選んでください。";
const char* const kFolderNotEmpty = "保存先のフォルダは空ではありません。\n"
                                    "同じ名前のファイルは置き換えられます。続けますか？";

std::string Local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString Shown(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

bool EmptyFolder(const std::string& folder)
{
    std::error_code error;
    return !std::filesystem::exists(folder, error) || std::filesystem::is_empty(folder, error);
}

} // namespace

void CViewerDlg::ConnectHandOnCommands()
{
    connect(m_ui->actionSavePictures, &QAction::triggered, this, &CViewerDlg::OnSavePictures);
    connect(m_ui->actionMakeReport, &QAction::triggered, this, &CViewerDlg::OnMakeReport);
    connect(m_ui->actionSaveTable, &QAction::triggered, this, &CViewerDlg::OnSaveTable);
}

void CViewerDlg::UseHandOnChoices(HandOnChoices& choices)
{
    m_handOnChoices = &choices;
}

HandOnChoices& CViewerDlg::Choices()
{
    if (!m_handOnChoices) {
        m_dialogChoices = std::make_unique<DialogHandOnChoices>();
        m_handOnChoices = m_dialogChoices.get();
    }
    return *m_handOnChoices;
}

bool CViewerDlg::HandOnRunning() const
{
    return m_handOn && m_handOn->Running();
}

// While a job reads the card, nothing may scan another one or start more work.
void CViewerDlg::EnableCardCommands(bool enable)
{
    m_ui->actionSelectFolder->setEnabled(enable);
    m_ui->m_folderButton->setEnabled(enable);
    m_ui->actionSavePictures->setEnabled(enable);
    m_ui->actionMakeReport->setEnabled(enable);
    m_ui->actionSaveTable->setEnabled(enable);
}

// Something to hand on, else says so.
bool CViewerDlg::HasRecordsToHandOn()
{
    if (!CardRecords(m_card).empty())
        return true;
    m_messages.ShowMessage(kNothingToHandOn);
    return false;
}

// A place outside the card, else says so.
bool CViewerDlg::OutsideCard(const std::string& path)
{
    if (!LiesInside(path, m_card.DataRoot()))
        return true;
    m_messages.ShowMessage(kInsideCard);
    return false;
}

void CViewerDlg::RunHandOn(const QString& title, HandOnJob::Work work, std::function<void(const HandOnOutcome&)> ended)
{
    EnableCardCommands(false);
    m_handOn = std::make_unique<HandOnRun>(this, title, std::move(work), [this, ended](const HandOnOutcome& outcome) {
        ended(outcome);
        EnableCardCommands(true);
        // The run has called us from its own slot: it goes once that has
        // returned, unless a new run has taken its place by then.
        QTimer::singleShot(0, this, [this, run = m_handOn.get()] {
            if (m_handOn.get() == run)
                m_handOn.reset();
        });
    });
}

void CViewerDlg::OnSavePictures()
{
    std::string folder;
    if (!HasRecordsToHandOn() || !Choices().ChooseSaveFolder(this, folder))
        return;
    if (!OutsideCard(folder) || (!EmptyFolder(folder) && !m_messages.AskYesNo(kFolderNotEmpty)))
        return;
    RunHandOn(QStringLiteral("画像を一括保存"),
              [this, folder](const HandOnProgress& progress) {
                  return WritePictures(m_card, {}, {folder, PictureFormat::Png}, progress);
              },
              [this, folder](const HandOnOutcome& outcome) {
                  QString text = QStringLiteral("%1 件の画像を保存しました。\n%2").arg(outcome.done).arg(Shown(folder));
                  if (outcome.status == HandOnOutcome::Status::Stopped)
                      text = QStringLiteral("中止しました。") + text;
                  TellEnd(outcome, text + QStringLiteral("\n\nフォルダを開きますか？"), Shown(folder));
              });
}

void CViewerDlg::OnMakeReport()
{
    if (!HasRecordsToHandOn())
        return;
    const ProfileFile settings(Local(m_strIniPath));
    ReportChoice choice;
    for (const std::string& field : ReadCoverFields(settings, m_strAppName.toStdString()))
        choice.cover.push_back(QString::fromStdString(field));
    for (const std::string& folder : MeasurementFolders(CardRecords(m_card)))
        choice.folders.emplace_back(folder, true);
    if (!Choices().EditReport(this, choice))
        return;
    std::vector<std::string> cover;
    for (const QString& field : choice.cover)
        cover.push_back(field.toStdString());
    WriteCoverFields(settings, m_strAppName.toStdString(), cover);
    QString path;
    if (!Choices().ChooseSaveFile(this, QDir(SaveFolder()).filePath(QStringLiteral("報告書.pdf")),
                                  QStringLiteral("PDF ファイル (*.pdf)"), path)
        || !OutsideCard(Local(path)))
        return;
    FolderSelection folders;
    bool all = true;
    for (const auto& [name, checked] : choice.folders) {
        if (checked)
            folders.push_back(name);
        all = all && checked;
    }
    if (all)
        folders.clear(); // the whole card, named as such on the cover
    cover.resize(std::size(kCoverKeys));
    const ReportOptions options{Local(path),
                                std::filesystem::absolute(m_card.DataRoot()).lexically_normal().string(),
                                {cover[0], cover[1], cover[2], cover[3], cover[4], cover[5]}};
    RunHandOn(QStringLiteral("報告書を作成"),
              [this, folders, options](const HandOnProgress& progress) {
                  return WriteReport(m_card, folders, options, progress);
              },
              [this, path](const HandOnOutcome& outcome) {
                  TellEnd(outcome, QStringLiteral("報告書を保存しました。\n%1\n\nファイルを開きますか？").arg(path), path);
              });
}

void CViewerDlg::OnSaveTable()
{
    QString path;
    if (!HasRecordsToHandOn()
        || !Choices().ChooseSaveFile(this, QDir(SaveFolder()).filePath(QStringLiteral("一覧表.csv")),
                                     QStringLiteral("CSV ファイル (*.csv)"), path)
        || !OutsideCard(Local(path)))
        return;
    RunHandOn(QStringLiteral("一覧表を保存"),
              [this, file = Local(path)](const HandOnProgress& progress) {
                  return WriteSummaryTable(m_card, {}, file, progress);
              },
              [this, path](const HandOnOutcome& outcome) {
                  TellEnd(outcome, QStringLiteral("一覧表を保存しました。\n%1\n\nファイルを開きますか？").arg(path), path);
              });
}

// The end of a job: the file error box for a failure; for work done (or
// pictures stopped part-way, each one whole) the message with the offer to
// open `written`. A stopped report or table left nothing to tell.
void CViewerDlg::TellEnd(const HandOnOutcome& outcome, const QString& text, const QString& written)
{
    if (outcome.status == HandOnOutcome::Status::InsideCard) {
        m_messages.ShowMessage(kInsideCard);
        return;
    }
    if (outcome.status != HandOnOutcome::Status::Written && outcome.status != HandOnOutcome::Status::Stopped) {
        m_messages.ShowMessage(FileErrorText(FileErrorCauseFromErrno(outcome.error), outcome.path));
        return;
    }
    if (outcome.status == HandOnOutcome::Status::Stopped && !QFileInfo(written).isDir())
        return;
    m_strLastSaveFolder = QFileInfo(written).isDir() ? written : QFileInfo(written).absolutePath();
    if (Choices().OfferToOpen(this, text))
        Choices().Open(written);
}
