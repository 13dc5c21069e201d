// The ファイル menu's hand-on commands, driven through the real window with
// their dialogs answered by the test.
#include "HandOnChoices.h"
#include "ReportDialog.h"
#include "ViewerFixture.h"
#include "support/OutputFiles.h"
#include "support/RunKr80a.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

// Every file below `root` with its bytes.
std::map<std::string, std::string> FilesWithBytes(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const std::string& file : FilesBelow(root))
        files[file] = ReadFile(root / file);
    return files;
}

// A PDF without its creation time, the one line that tells two runs apart.
std::string WithoutCreationTime(const std::string& pdf)
{
    std::string kept;
    std::size_t start = 0;
    while (start < pdf.size()) {
        std::size_t end = pdf.find('\n', start);
        end = end == std::string::npos ? pdf.size() : end + 1;
        if (pdf.compare(start, 14, "/CreationDate ") != 0)
            kept.append(pdf, start, end - start);
        start = end;
    }
    return kept;
}

// Answers the hand-on dialogs as the test says; a missing answer cancels.
class AnsweringHandOn : public HandOnChoices {
public:
    bool ChooseSaveFolder(QWidget*, const QString&, std::string& folder) override
    {
        folder = m_folder.value_or("");
        return m_folder.has_value();
    }
    bool ChooseSaveFile(QWidget*, const QString&, const QString& filter, QString& path) override
    {
        m_filters << filter;
        path = m_file.value_or("");
        return m_file.has_value();
    }
    bool EditReport(QWidget*, ReportChoice& choice) override
    {
        m_shownReport = choice;
        if (!m_cover)
            return false;
        choice.cover = *m_cover;
        for (auto& [name, checked] : choice.folders)
            checked = m_unchecked.count(name) == 0;
        return true;
    }
    bool OfferToOpen(QWidget*, const QString& text) override
    {
        m_offers << text;
        return m_open;
    }
    void Open(const QString& path) override { m_opened << path; }

    std::optional<std::string> m_folder;
    std::optional<QString> m_file;
    std::optional<std::vector<QString>> m_cover;
    std::set<std::string> m_unchecked;
    bool m_open = false;
    QStringList m_filters;
    ReportChoice m_shownReport;
    QStringList m_offers;
    QStringList m_opened;
};

class HandOnCommands : public ViewerTest {
protected:
    void SetUp() override
    {
        StartOnCard();
        m_window->UseHandOnChoices(m_answers);
    }
    std::string Out(const std::string& name) const { return m_outputs.Path(name); }
    void Trigger(const char* action) { Child<QAction>(action)->trigger(); }
    void WaitForTheEnd() { QTRY_VERIFY_WITH_TIMEOUT(!m_window->HandOnRunning(), 60000); }

    AnsweringHandOn m_answers;
    TempCard m_outputs; // a folder outside the card
};

const std::vector<QString> kCover{"件名 1", "顧客 2", "現場 3", "作業者 4", "2026/12/01", "KR80A 5"};

TEST_F(HandOnCommands, SavePicturesWritesWhatExportWrites)
{
    m_answers.m_folder = Out("viewer");
    m_answers.m_open = true;
    Trigger("actionSavePictures");
    WaitForTheEnd();
    ASSERT_EQ(RunKr80a("export " + m_card.Root() + " " + Out("kr80a") + " --quiet").status, 0);
    const auto expected = FilesWithBytes(Out("kr80a"));
    EXPECT_EQ(expected.size(), 7u);
    EXPECT_EQ(FilesWithBytes(Out("viewer")), expected);
    ASSERT_EQ(m_answers.m_offers.size(), 1);
    EXPECT_TRUE(m_answers.m_offers[0].startsWith("7 件の画像を保存しました。")) << m_answers.m_offers[0].toStdString();
    EXPECT_EQ(m_answers.m_opened, QStringList{QString::fromStdString(Out("viewer"))});
    EXPECT_TRUE(m_messages.m_shown.empty());
}

TEST_F(HandOnCommands, SaveTableWritesWhatSummaryWrites)
{
    m_answers.m_file = QString::fromStdString(Out("table.csv"));
    Trigger("actionSaveTable");
    WaitForTheEnd();
    ASSERT_EQ(RunKr80a("summary " + m_card.Root() + " -o " + Out("kr80a.csv")).status, 0);
    EXPECT_EQ(ReadFile(Out("table.csv")), ReadFile(Out("kr80a.csv")));
    EXPECT_EQ(m_answers.m_filters, QStringList{"CSV ファイル (*.csv)"});
    ASSERT_EQ(m_answers.m_offers.size(), 1);
    EXPECT_TRUE(m_answers.m_offers[0].startsWith("一覧表を保存しました。"));
    EXPECT_TRUE(m_answers.m_opened.isEmpty()); // the user did not ask to open it
}

// The report of the viewer is the report of kr80a with the same cover; the
// cover is remembered for the next report.
TEST_F(HandOnCommands, MakeReportWritesWhatReportWritesAndKeepsTheCover)
{
    m_answers.m_cover = kCover;
    m_answers.m_file = QString::fromStdString(Out("report.pdf"));
    Trigger("actionMakeReport");
    WaitForTheEnd();
    EXPECT_EQ(m_answers.m_filters, QStringList{"PDF ファイル (*.pdf)"});
    ASSERT_EQ(m_answers.m_shownReport.folders.size(), 1u);
    EXPECT_TRUE(m_answers.m_shownReport.folders[0].second); // checked at first
    // The report names the minute it was made: a second try falls in one minute with it.
    std::string kr80a;
    for (int attempt = 0; attempt < 2 && WithoutCreationTime(kr80a) != WithoutCreationTime(ReadFile(Out("report.pdf")));
         ++attempt) {
        ASSERT_EQ(RunKr80a("report " + m_card.Root() + " -o " + Out("kr80a.pdf") +
                           " --quiet --title '件名 1' --customer '顧客 2' --site '現場 3' --worker '作業者 4'"
                           " --date 2026/12/01 --instrument 'KR80A 5'").status, 0);
        kr80a = ReadFile(Out("kr80a.pdf"));
    }
    EXPECT_EQ(WithoutCreationTime(ReadFile(Out("report.pdf"))), WithoutCreationTime(kr80a));
    ASSERT_EQ(m_answers.m_offers.size(), 1);
    EXPECT_TRUE(m_answers.m_offers[0].startsWith("報告書を保存しました。"));

    m_answers.m_cover.reset(); // the next report dialog starts from the kept cover
    Trigger("actionMakeReport");
    EXPECT_EQ(m_answers.m_shownReport.cover, kCover);
    EXPECT_NE(SettingsBytes().find("Report_Title=件名 1\n"), std::string::npos) << SettingsBytes();
}

TEST_F(HandOnCommands, CancelLeavesNoReport)
{
    m_answers.m_cover = kCover;
    m_answers.m_file = QString::fromStdString(Out("report.pdf"));
    Trigger("actionMakeReport");
    auto* progress = m_window->findChild<QProgressDialog*>("m_handOnProgress");
    ASSERT_NE(progress, nullptr);
    QPushButton* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "キャンセル");
    cancel->click();
    WaitForTheEnd();
    EXPECT_FALSE(fs::exists(Out("report.pdf")));
    EXPECT_TRUE(m_answers.m_offers.isEmpty());
    EXPECT_TRUE(m_messages.m_shown.empty());
}

TEST_F(HandOnCommands, CommandsThatChangeTheCardOrStartWorkWaitForTheWork)
{
    const char* const commands[] = {"actionSelectFolder", "actionSavePictures", "actionMakeReport", "actionSaveTable"};
    m_answers.m_file = QString::fromStdString(Out("table.csv"));
    Trigger("actionSaveTable");
    ASSERT_TRUE(m_window->HandOnRunning());
    for (const char* command : commands)
        EXPECT_FALSE(Child<QAction>(command)->isEnabled()) << command;
    EXPECT_FALSE(Button("m_folderButton")->isEnabled());
    WaitForTheEnd();
    for (const char* command : commands)
        EXPECT_TRUE(Child<QAction>(command)->isEnabled()) << command;
    EXPECT_TRUE(Button("m_folderButton")->isEnabled());
}

// What is refused or asked before any work starts, and the file error box
// of a failed write.
TEST_F(HandOnCommands, RefusalsQuestionsAndFailures)
{
    m_answers.m_folder = m_card.Path("A/LEVEL");
    Trigger("actionSavePictures");
    EXPECT_FALSE(m_window->HandOnRunning());
    ASSERT_EQ(m_messages.m_shown.size(), 1u);
    EXPECT_EQ(m_messages.m_shown[0], "カードの中には保存できません。\nカードの外の保存先を選んでください。");

    m_messages.m_shown.clear();
    m_messages.m_answer = false;
    m_outputs.Write("busy/old.txt", "old");
    m_answers.m_folder = Out("busy");
    Trigger("actionSavePictures");
    EXPECT_FALSE(m_window->HandOnRunning());
    ASSERT_EQ(m_messages.m_shown.size(), 1u);
    EXPECT_EQ(m_messages.m_shown[0].rfind("保存先のフォルダは空ではありません。", 0), 0u);
    EXPECT_EQ(FilesBelow(Out("busy")).size(), 1u);

    m_messages.m_shown.clear();
    m_answers.m_file = QString::fromStdString(Out("missing/table.csv"));
    Trigger("actionSaveTable");
    WaitForTheEnd();
    ASSERT_EQ(m_messages.m_shown.size(), 1u);
    EXPECT_EQ(m_messages.m_shown[0], Out("missing/table.csv") + " が見つかりませんでした。");
    EXPECT_TRUE(m_answers.m_offers.isEmpty());
}

// The report dialog as the user meets it: the kept cover, every folder
// checked, OK only while a folder is checked.
TEST(ReportDialogTest, StartsFromTheChoiceAndGivesBackTheEdits)
{
    ReportChoice start{kCover, {{"A", true}, {"B", true}}};
    ReportDialog dialog(start, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "報告書の作成");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("m_titleEdit")->text(), "件名 1");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("m_instrumentEdit")->text(), "KR80A 5");
    auto* folders = dialog.findChild<QListWidget*>("m_folderList");
    ASSERT_EQ(folders->count(), 2);
    QPushButton* ok = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "OK")
            ok = button;
    ASSERT_NE(ok, nullptr);
    folders->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(ok->isEnabled());
    folders->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(ok->isEnabled());
    folders->item(1)->setCheckState(Qt::Checked);
    dialog.findChild<QLineEdit*>("m_siteEdit")->setText("  新しい現場 ");
    const ReportChoice edited = dialog.Choice();
    EXPECT_EQ(edited.cover[2], "新しい現場");
    EXPECT_EQ(edited.folders, (std::vector<std::pair<std::string, bool>>{{"A", false}, {"B", true}}));
}

} // namespace
