#pragma once

#include "HandOnJob.h"
#include "MountTable.h"
#include "SingleInstance.h"
#include "app/settings/ProfileFile.h"
#include "data/CardTree.h"
#include "screens/KeyRepeat.h"
#include "screens/PanelNavigator.h"
#include "screens/RecordDisplay.h"

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class COptionDlg;
class DialogHandOnChoices;
class FolderChooser;
class HandOnChoices;
class HandOnRun;
class LoadResultsWindow;
struct HandOnOutcome;
class Messages;
class CardTreeModel;
class QAbstractButton;
class CardTreeFilter;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class MountWatcher;
class QModelIndex;
class QPushButton;
class RunningCopyLink;
class ScreenView;
namespace Ui {
class CViewerDlg;
}

// The main window: the navigation tree, the meter's screen with its labels,
// the meter's keys and the command buttons, and the menu bar.
//
// Start-up: construct, then OnCreate (settings folder and single-instance
// marker; false means another copy runs and the program must end without a
// window), then OnInitDialog (reads the settings file OnCreate located), then
// exec(). Teardown is the destructor.
// Everything runs on the user-interface thread.
class CViewerDlg : public QDialog {
    Q_OBJECT
public:
    // What the auto-repeat of a held arrow button reads the time from.
    using RepeatClock = std::function<KeyRepeat::Time()>;

    // `messages` shows every message of the window and of the card scan;
    // `folderChooser` serves folder selection and the options dialog.
    CViewerDlg(Messages& messages, FolderChooser& folderChooser);
    ~CViewerDlg() override;

    bool OnCreate();
    void OnInitDialog();

    // The tree's selection changed: show the selected item.
    void OnSelChangedTree();
    // Puts the shown screen (or the white face) with its frame on the screen window.
    void OnPaint();

    // The repeat of a held arrow button times itself by `clock` (the steady
    // clock unless told otherwise); its timer still runs on the event loop.
    void UseRepeatClock(RepeatClock clock);

    // Folder button and menu command: choose a folder, remember it, scan it.
    void SelectDataFolder();
    // A folder chosen outside the chooser (command line, drop, another copy):
    // the same questions as a choice in the chooser, then opened.
    void OpenChosenFolder(const std::string& path);
    // Opens a folder already agreed to: remembers it and scans it.
    void OpenDataFolder(const std::string& folder);
    // The folder named on the command line (before OnCreate): handed to a
    // copy that runs, else taken by OnInitDialog in place of the start-up
    // folder (after the questions of a folder choice).
    void SetFolderToOpen(const std::string& folder);
    // Menu command: the options dialog; OK writes its four settings.
    void ShowOptions();

    // Exit button and menu command: asks, then ends the window.
    void OnExit();
    // Save and copy buttons and menu commands: the screen area with its
    // labels, as on display, to a bitmap file chosen by the user or to the
    // clipboard.
    void OnSaveScreen();
    void OnCopyScreen();
    // Help menu command: the version box.
    void OnAbout();

    // ファイル menu commands that hand the card on, each made on a thread of
    // its own with a progress dialog: every record's picture into a chosen
    // folder, the PDF report with its cover, the summary table as CSV.
    void OnSavePictures();
    void OnMakeReport();
    void OnSaveTable();
    // Whether one of them is still at work.
    bool HandOnRunning() const;
    // The hand-on dialogs answered by `choices` (kept by the caller) instead
    // of the real ones.
    void UseHandOnChoices(HandOnChoices& choices);

protected:
    // The keyboard filter of every event of the window's thread.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A folder dropped on the window opens as a folder choice does.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString m_strAppName;
    QString m_strIniPath;
    std::string m_strStartFolder;
    std::string m_strDefaultFolder;
    int m_nUseDefaultFolder = 0;
    int m_nUseLastFolder = 0;
    int m_nFolderAlert = 1;
    // The tree and the item table.
    CardTree m_card;
    // The five screens, m_record and which screen is shown.
    RecordDisplay m_display;
    // Shows the tree's selection on m_display and steps ↑ ↓ through the
    // items the tree shows (folded and filtered as the view has them).
    PanelNavigator m_navigator;

    void ConnectCommands();
    void ConnectFolderCommands();
    bool TakesChosenFolder(std::string& chosen);
    bool TakeFolderToOpen();
    void ConnectOutsideFolders();
    void ConnectRecentFolders();
    void InstallTreeFilter();
    void OnFilterChanged(const QString& text);
    void ShowFilteredTree(int current);
    bool FilterFieldKey(QKeyEvent* event);
    bool IsFilterField(const QObject* watched) const;
    // The item id of the tree's current item, 0 for none.
    int CurrentItemId() const;
    void ShowFolderHint();
    void InstallLoadResults();
    // The line under the tree and the results window follow the last scan.
    void ShowLoadResults();
    void OpenLoadResults();
    void FillRecentMenu();
    // The folder opened becomes the last folder and the newest recent one.
    void RememberOpenedFolder(const std::string& folder);
    void HandOverToRunningCopy() const;
    void ListenForLaterStarts();
    void OnReachedByLaterStart(const QByteArray& folder);
    void ConnectMountWatcher();
    void OnMounted(const std::vector<MountEntry>& added);
    void OnUnmounted(const std::vector<MountEntry>& gone);
    bool OfferInsertedCard(const std::string& folder);
    // Notes which mount holds the data root about to be shown.
    void NoteCardMount(const std::string& dataRoot);
    // The line at the window's foot; an empty text hides it.
    void ShowStatusLine(const QString& text);
    void ConnectHandOnCommands();
    HandOnChoices& Choices();
    void EnableCardCommands(bool enable);
    bool HasRecordsToHandOn();
    bool OutsideCard(const std::string& path);
    void RunHandOn(const QString& title, HandOnJob::Work work, std::function<void(const HandOnOutcome&)> ended);
    void TellEnd(const HandOnOutcome& outcome, const QString& text, const QString& written);
    void WriteSettings(const std::vector<ProfileFile::Setting>& values);
    void ReadSettings();
    void ScanDataRoot(const std::string& dataRoot);
    void KeepTreeSelection();
    void ShowLabels();
    void EnableExportCommands(bool enable);
    void LayBlankPanel();

    bool ShiftOn() const;
    ScreenView& Screen() const;
    // The view's index of item `id`: invalid when the filter hides it.
    QModelIndex ViewIndexOf(int id) const;
    void LetStepsSeeTheView();

    // The meter's keys. fromButton: the on-screen button was clicked, so the
    // focus goes back to the tree afterwards.
    void PressArrowKey(InstrumentKey key, bool fromButton);
    void PressEnterKey();
    // The arrow on the shown screen or the tree, with the shift given.
    void ActOnArrow(InstrumentKey key, bool shift);
    void ShowNavigatorSelection();
    void UpdateArrowIcons();
    void SendTreeKey(int qtKey);
    void FocusTree();
    bool FilterKeyPress(QKeyEvent* event);
    bool FilterKeyRelease(QKeyEvent* event);
    void TrackArrowCapture(QObject* watched, QEvent* event);
    void ReleaseArrowCapture();
    QAbstractButton* HeldButton();
    void OnRepeatTimer();
    // Runs the repeat timer until the next repeated action, if one can come.
    void ScheduleRepeat();

    void RefreshScreenArea();
    QPixmap CaptureScreenArea();
    QString SaveFolder() const;

    std::unique_ptr<Ui::CViewerDlg> m_ui;
    // The tree view's items, made from m_card as the view asks for them.
    CardTreeModel* m_treeModel = nullptr;
    Messages& m_messages;
    FolderChooser& m_folderChooser;
    // One dialog object for every display; a window of its own.
    std::unique_ptr<COptionDlg> m_pOptionDlg;
    QIcon m_hIcon;
    SingleInstance m_hMutex;
    // The arrow button held with the mouse; m_repeat times its repeats.
    QAbstractButton* m_pHeldButton = nullptr;
    KeyRepeat m_repeat;
    RepeatClock m_repeatClock;
    QTimer* m_repeatTimer = nullptr;
    bool m_bSendingTreeKey = false;
    // The tree is being put on the item the navigator moved to (and shows already).
    bool m_bFollowingNavigator = false;
    // Where the last save of this run went; the save dialog opens there.
    QString m_strLastSaveFolder;
    std::string m_strFolderToOpen;
    // Where later starts of the program reach this window.
    RunningCopyLink* m_link = nullptr;
    QMenu* m_recentMenu = nullptr;
    // Cards inserted and removed while the window runs.
    MountWatcher* m_mountWatcher = nullptr;
    // The mount that holds the folder on display, when it was opened.
    MountEntry m_cardMount;
    bool m_bOfferingCard = false;
    QLabel* m_statusLine = nullptr;
    // The tree view shows m_treeModel through the filter typed in m_filterEdit.
    CardTreeFilter* m_filter = nullptr;
    QLineEdit* m_filterEdit = nullptr;
    QLabel* m_filterCount = nullptr;
    // Says, under the tree, how many sub-folders the scan left out; opens m_loadResults.
    QPushButton* m_loadResultsLine = nullptr;
    LoadResultsWindow* m_loadResults = nullptr;
    std::unique_ptr<DialogHandOnChoices> m_dialogChoices;
    HandOnChoices* m_handOnChoices = nullptr;
    // The hand-on work under way, if any. Last, so that it is stopped and
    // waited for before the card it reads goes.
    std::unique_ptr<HandOnRun> m_handOn;
};
