#include "COptionDlg.h"
#include "ViewerFixture.h"
#include "support/CaseName.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const char* const kNoStartFolder =
    "フォルダが選択されていません。\n起動フォルダ指定オプションを有効にする場合\nフォルダを指定してください。";
const char* const kNotInstrumentFolder =
    "KR80かKR80A以外のフォルダを選択した場合\n正常にデータが読み込めない可能性があります。\nよろしいですか？";

// The dialog's controls by what they stand for.
struct OptionControls {
    explicit OptionControls(COptionDlg& dialog)
        : lastFolder(dialog.findChild<QCheckBox*>("m_lastFolderCheck")),
          defaultFolder(dialog.findChild<QCheckBox*>("m_defaultFolderCheck")),
          folderAlert(dialog.findChild<QCheckBox*>("m_folderAlertCheck")),
          folderField(dialog.findChild<QLineEdit*>("m_defaultFolderEdit")),
          browse(dialog.findChild<QPushButton*>("m_browseButton")),
          ok(dialog.findChild<QPushButton*>("m_okButton")),
          cancel(dialog.findChild<QPushButton*>("m_cancelButton"))
    {
    }
    QCheckBox* lastFolder;
    QCheckBox* defaultFolder;
    QCheckBox* folderAlert;
    QLineEdit* folderField;
    QPushButton* browse;
    QPushButton* ok;
    QPushButton* cancel;
};

class OptionDlgTest : public ViewerTest {
protected:
    // Runs the options command; `act` works the dialog while it is shown.
    // A dialog still open afterwards is cancelled.
    void ShowOptions(const std::function<void(COptionDlg&, OptionControls&)>& act)
    {
        bool shown = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            auto* dialog = qobject_cast<COptionDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = dialog->isVisible();
            OptionControls controls(*dialog);
            act(*dialog, controls);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_window->ShowOptions();
        EXPECT_TRUE(shown);
    }
    // The values in effect, as the dialog shows them when it opens.
    struct InEffect {
        bool lastFolder = false;
        bool defaultFolder = false;
        bool folderAlert = false;
        std::string folder;
    };
    InEffect ValuesInEffect()
    {
        InEffect values;
        ShowOptions([&](COptionDlg&, OptionControls& controls) {
            values = {controls.lastFolder->isChecked(), controls.defaultFolder->isChecked(),
                      controls.folderAlert->isChecked(), controls.folderField->text().toStdString()};
        });
        return values;
    }
};

struct InitialCase {
    const char* name;
    const char* settings;
    bool lastFolder;
    bool defaultFolder;
    bool folderAlert;
    const char* folder;
};

class OptionInitialTest : public OptionDlgTest, public testing::WithParamInterface<InitialCase> {};

TEST_P(OptionInitialTest, ShowsTheValuesInEffect)
{
    const InitialCase& c = GetParam();
    Start(c.settings);
    ShowOptions([&](COptionDlg& dialog, OptionControls& controls) {
        EXPECT_EQ(dialog.windowTitle(), "オプション");
        EXPECT_EQ(controls.lastFolder->isChecked(), c.lastFolder);
        EXPECT_EQ(controls.defaultFolder->isChecked(), c.defaultFolder);
        EXPECT_EQ(controls.folderAlert->isChecked(), c.folderAlert);
        EXPECT_EQ(controls.folderField->text().toStdString(), c.folder);
        for (QWidget* control : {static_cast<QWidget*>(controls.defaultFolder),
                                 static_cast<QWidget*>(controls.folderField),
                                 static_cast<QWidget*>(controls.browse)})
            EXPECT_EQ(control->isEnabled(), !c.lastFolder);
        EXPECT_TRUE(controls.folderField->isReadOnly());
    });
}

INSTANTIATE_TEST_SUITE_P(
    Settings, OptionInitialTest,
    testing::Values(
        InitialCase{"NoSettingsFile", "", false, false, true, ""},
        InitialCase{"LastFolderWarningOff", "[KR80A_Viewer]\nUSE_LastFolder=1\nDefaultFolder=/d\nUSE_KR80A_FolderAlert=0\n", true,
                    false, false, "/d"},
        InitialCase{"FixedFolderWithBlanks", "[KR80A_Viewer]\nUSE_DefaultFolder=1\nDefaultFolder= /d \n", false, true, true, " /d "},
        InitialCase{"BothFlags", "[KR80A_Viewer]\nUSE_DefaultFolder=1\nUSE_LastFolder=1\nDefaultFolder=/d\n", true, true,
                    true, "/d"},
        InitialCase{"OnlyOneMeansOn", "[KR80A_Viewer]\nUSE_LastFolder=2\nUSE_KR80A_FolderAlert=2\n", false, false, false, ""}),
    CaseName());

TEST_F(OptionDlgTest, LastFolderGreysTheFixedFolderAndKeepsItsCheck)
{
    Start("[KR80A_Viewer]\nUSE_DefaultFolder=1\nDefaultFolder=/d\n");
    ShowOptions([](COptionDlg&, OptionControls& controls) {
        for (bool checked : {true, false}) {
            controls.lastFolder->click();
            EXPECT_EQ(controls.defaultFolder->isEnabled(), !checked);
            EXPECT_EQ(controls.folderField->isEnabled(), !checked);
            EXPECT_EQ(controls.browse->isEnabled(), !checked);
            EXPECT_TRUE(controls.defaultFolder->isChecked());
        }
    });
}

TEST_F(OptionDlgTest, OkNeedsAFolderForTheFixedFolderThenWritesFourKeysInOrder)
{
    Start("");
    m_chooser.m_answer = "/media/KR80A";
    bool stayedOpen = false;
    ShowOptions([&](COptionDlg& dialog, OptionControls& controls) {
        controls.defaultFolder->click();
        controls.ok->click();
        stayedOpen = dialog.isVisible();
        controls.browse->click();
        controls.ok->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(m_messages.m_shown, std::vector<std::string>{kNoStartFolder});
    EXPECT_EQ(SettingsBytes(), "[KR80A_Viewer]\nUSE_DefaultFolder=1\nUSE_LastFolder=0\n"
                               "DefaultFolder=/media/KR80A\nUSE_KR80A_FolderAlert=1\n");
    const InEffect values = ValuesInEffect();
    EXPECT_TRUE(values.defaultFolder);
    EXPECT_EQ(values.folder, "/media/KR80A");
}

struct BrowseCase {
    const char* name;
    bool alertChecked;
    std::optional<std::string> chosen;
    bool answer;
    std::vector<std::string> shown;
    const char* folder;
};

class OptionBrowseTest : public OptionDlgTest, public testing::WithParamInterface<BrowseCase> {};

TEST_P(OptionBrowseTest, TakesTheChoiceAsTheWindowDoes)
{
    const BrowseCase& c = GetParam();
    // The saved warning flag is on; the check box as it stands decides.
    Start("[KR80A_Viewer]\nDefaultFolder=/old\n");
    m_chooser.m_answer = c.chosen;
    m_messages.m_answer = c.answer;
    ShowOptions([&](COptionDlg&, OptionControls& controls) {
        controls.folderAlert->setChecked(c.alertChecked);
        controls.browse->click();
        EXPECT_EQ(controls.folderField->text().toStdString(), c.folder);
        EXPECT_EQ(controls.folderAlert->isChecked(), c.alertChecked);
        controls.ok->click();
    });
    EXPECT_EQ(m_chooser.m_initials, std::vector<std::string>{"/old"});
    EXPECT_EQ(m_messages.m_shown, c.shown);
    EXPECT_EQ(ValuesInEffect().folder, c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, OptionBrowseTest,
    testing::Values(BrowseCase{"Kr80a", true, "/m/KR80A", false, {}, "/m/KR80A"},
                    BrowseCase{"BlanksAroundKeptButNotTested", true, " /m/KR80 ", false, {}, " /m/KR80 "},
                    BrowseCase{"DataAnsweredNo", true, "/m/DATA", false, {kNotInstrumentFolder}, "/old"},
                    BrowseCase{"DataAnsweredYes", true, "/m/DATA", true, {kNotInstrumentFolder}, "/m/DATA"},
                    BrowseCase{"DataWarningUnchecked", false, "/m/DATA", false, {}, "/m/DATA"},
                    BrowseCase{"Cancelled", true, std::nullopt, false, {}, "/old"},
                    BrowseCase{"Empty", true, "", false,
                               {"フォルダが選択されませんでした。\nフォルダ選択を中止します"}, "/old"}),
    CaseName());

TEST_F(OptionDlgTest, CancelEscAndTheCloseBoxWriteNothing)
{
    const std::string settings = "[KR80A_Viewer]\nUSE_KR80A_FolderAlert=1\n";
    Start(settings);
    const std::function<void(COptionDlg&, OptionControls&)> endings[] = {
        [](COptionDlg&, OptionControls& controls) { controls.cancel->click(); },
        [](COptionDlg& dialog, OptionControls&) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](COptionDlg& dialog, OptionControls&) { dialog.close(); }};
    for (const auto& end : endings) {
        ShowOptions([&](COptionDlg& dialog, OptionControls& controls) {
            controls.lastFolder->click();
            controls.folderAlert->click();
            end(dialog, controls);
            EXPECT_FALSE(dialog.isVisible());
        });
        EXPECT_EQ(SettingsBytes(), settings);
        const InEffect values = ValuesInEffect();
        EXPECT_FALSE(values.lastFolder);
        EXPECT_TRUE(values.folderAlert);
    }
    // The next display starts again from the values in effect.
    ShowOptions([](COptionDlg&, OptionControls& controls) {
        EXPECT_FALSE(controls.lastFolder->isChecked());
        EXPECT_TRUE(controls.folderAlert->isChecked());
    });
}

TEST_F(OptionDlgTest, WhatOkWroteIsReadBackAndTheWarningFlagActsAtOnce)
{
    TempCard other;
    other.MakeFolder("DATA");
    Start("");
    ShowOptions([](COptionDlg&, OptionControls& controls) {
        controls.lastFolder->click();
        controls.folderAlert->click();
        controls.ok->click();
    });
    m_chooser.m_answer = other.Path("DATA");
    m_window->SelectDataFolder();
    EXPECT_TRUE(m_messages.m_shown.empty());
    m_window.reset();
    m_window = std::make_unique<CViewerDlg>(m_messages, m_chooser);
    ASSERT_TRUE(m_window->OnCreate());
    m_window->OnInitDialog();
    const std::string settings = SettingsBytes();
    const InEffect values = ValuesInEffect();
    EXPECT_TRUE(values.lastFolder);
    EXPECT_FALSE(values.defaultFolder);
    EXPECT_FALSE(values.folderAlert);
    EXPECT_EQ(ShownFolder(), other.Path("DATA"));
    EXPECT_EQ(ChooserStartsAt(), other.Path("DATA"));
    EXPECT_EQ(settings, "[KR80A_Viewer]\nUSE_DefaultFolder=0\nUSE_LastFolder=1\nDefaultFolder=\n"
                               "USE_KR80A_FolderAlert=0\nFolder=" + other.Path("DATA")
                                   + "\nRecentFolder1=" + other.Path("DATA") + "\n");
}

} // namespace
