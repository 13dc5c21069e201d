#include "ViewerFixture.h"
#include "app/settings/ProfileFile.h"
#include "support/CaseName.h"

#include <QTest>

namespace {

const char* const kNoFolderChosen = "フォルダが選択されませんでした。\nフォルダ選択を中止します";
const char* const kNotInstrumentFolder =
    "KR80かKR80A以外のフォルダを選択した場合\n正常にデータが読み込めない可能性があります。\nよろしいですか？";

std::string StoredFolder()
{
    return ProfileFile(SettingsFile().toStdString()).ReadText("KR80A_Viewer", "Folder", "<none>");
}

class FolderSelectionTest : public ViewerTest {
protected:
    // Starts on the card with a LEVEL record shown; `other` gets a card
    // folder "B" in its sub-folder `name`.
    void StartShowingARecord(const std::string& settings)
    {
        WriteEveryKind(m_card);
        Start(settings + "DefaultFolder=" + m_card.Root() + "\n");
        ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    }
    std::string OtherCard(const std::string& name)
    {
        m_other.Write(name + "/B/LEVEL/B.cnt", "1\n1.00\n");
        m_other.Write(name + "/B/LEVEL/B.CSV", "h\n" + MeasurementLine("other", "0"));
        return m_other.Path(name);
    }
    void ExpectNothingChanged(const std::string& settingsBefore)
    {
        EXPECT_EQ(ShownFolder(), m_card.Root());
        EXPECT_EQ(TreeItem({0, 0}).data().toString(), "A");
        EXPECT_TRUE(ExportEnabled());
        EXPECT_EQ(ShownPicture(), CorePicture(FirstRecordOf(kindLevel)));
        EXPECT_EQ(SettingsBytes(), settingsBefore);
        EXPECT_EQ(m_window->focusWidget(), Tree());
        EXPECT_EQ(ChooserStartsAt(), m_card.Root());
    }
    void ExpectScanned(const std::string& folder)
    {
        EXPECT_EQ(StoredFolder(), folder);
        EXPECT_EQ(ShownFolder(), folder);
        ASSERT_EQ(Tree()->model()->rowCount(TreeItem({0})), 1);
        EXPECT_EQ(TreeItem({0, 0}).data().toString(), "B");
        EXPECT_FALSE(ExportEnabled());
        EXPECT_EQ(m_window->focusWidget(), Tree());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    TempCard m_other;
};

const std::string kWarningOn = "[KR80A_Viewer]\nUSE_DefaultFolder=1\n";
const std::string kWarningOff = "[KR80A_Viewer]\nUSE_DefaultFolder=1\nUSE_KR80A_FolderAlert=0\n";

struct ChoiceCase {
    const char* name;
    const char* folder;
    bool warningOn;
    bool answer;
    bool asked;
    bool taken;
};

class FolderChoiceTest : public FolderSelectionTest, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(FolderChoiceTest, AsksWhereItMustAndScansWhatIsTaken)
{
    const ChoiceCase& c = GetParam();
    StartShowingARecord(c.warningOn ? kWarningOn : kWarningOff);
    const std::string before = SettingsBytes();
    m_chooser.m_answer = OtherCard(c.folder);
    m_messages.m_answer = c.answer;
    m_window->SelectDataFolder();
    EXPECT_EQ(m_messages.m_shown, c.asked ? std::vector<std::string>{kNotInstrumentFolder}
                                          : std::vector<std::string>{});
    if (c.taken)
        ExpectScanned(*m_chooser.m_answer);
    else
        ExpectNothingChanged(before);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderChoiceTest,
    testing::Values(ChoiceCase{"Kr80a", "KR80A", true, false, false, true},
                    ChoiceCase{"EndsInKr80", "MYKR80", true, false, false, true},
                    ChoiceCase{"DataAnsweredNo", "DATA", true, false, true, false},
                    ChoiceCase{"DataAnsweredYes", "DATA", true, true, true, true},
                    ChoiceCase{"DataWarningOff", "DATA", false, false, false, true},
                    ChoiceCase{"LowerCaseIsWarned", "kr80a", true, false, true, false},
                    ChoiceCase{"TrailingSlashIsWarned", "KR80A/", true, false, true, false}),
    CaseName());

TEST_F(FolderSelectionTest, CancelOrAnEmptyChoiceChangesNothing)
{
    StartShowingARecord(kWarningOn);
    const std::string before = SettingsBytes();
    m_window->SelectDataFolder();
    EXPECT_TRUE(m_messages.m_shown.empty());
    ExpectNothingChanged(before);
    m_chooser.m_answer = "";
    m_window->SelectDataFolder();
    EXPECT_EQ(m_messages.m_shown, std::vector<std::string>{kNoFolderChosen});
    ExpectNothingChanged(before);
}

TEST_F(FolderSelectionTest, ButtonAndMenuCommandOpenTheChooserOnTheLastFolderTaken)
{
    StartShowingARecord(kWarningOn);
    m_chooser.m_answer = OtherCard("KR80A");
    QTest::mouseClick(Button("m_folderButton"), Qt::LeftButton);
    ExpectScanned(*m_chooser.m_answer);
    m_chooser.m_answer.reset();
    Child<QAction>("actionSelectFolder")->trigger();
    EXPECT_EQ(m_chooser.m_initials, (std::vector<std::string>{m_card.Root(), m_other.Path("KR80A")}));
}

TEST_F(FolderSelectionTest, TheFolderTakenComesBackAtTheNextStartWhenAskedTo)
{
    Start("[KR80A_Viewer]\nUSE_LastFolder=1\n");
    m_chooser.m_answer = OtherCard("KR80A");
    m_window->SelectDataFolder();
    m_window.reset();
    m_window = std::make_unique<CViewerDlg>(m_messages, m_chooser);
    ASSERT_TRUE(m_window->OnCreate());
    m_window->OnInitDialog();
    EXPECT_EQ(ShownFolder(), *m_chooser.m_answer);
    EXPECT_EQ(TreeItem({0, 0}).data().toString(), "B");
    EXPECT_EQ(ChooserStartsAt(), *m_chooser.m_answer);
}

} // namespace
