#include "CViewerDlg.h"
#include "FolderChooser.h"
#include "SingleInstance.h"
#include "app/settings/ProfileFile.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether process `pid` holds a kernel file lock, as the kernel lists it.
bool HoldsFileLock(qint64 pid)
{
    std::ifstream locks("/proc/locks");
    const std::string owner = " " + std::to_string(pid) + " ";
    for (std::string line; std::getline(locks, line);)
        if (line.find("FLOCK") != std::string::npos && line.find(owner) != std::string::npos)
            return true;
    return false;
}

// Starts the real program and waits until it holds the marker of a running copy.
bool StartRunningCopy(QProcess& process, const QStringList& arguments = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(VIEWER_PROGRAM, arguments);
    if (!process.waitForStarted())
        return false;
    for (int i = 0; i < 300 && process.state() == QProcess::Running; ++i) {
        if (HoldsFileLock(process.processId()))
            return true;
        QThread::msleep(50);
    }
    return false;
}

TEST(SecondCopy, IsRefusedWhileAnotherRunsAndAllowedAfterItCrashed)
{
    QProcess first;
    ASSERT_TRUE(StartRunningCopy(first));

    RecordedMessages messages;
    DialogFolderChooser chooser;
    {
        CViewerDlg second(messages, chooser);
        EXPECT_FALSE(second.OnCreate());
    }
    ASSERT_EQ(messages.m_shown.size(), 1u);
    EXPECT_EQ(messages.m_shown[0], "多重起動は禁止されています");
    EXPECT_EQ(first.state(), QProcess::Running);

    // A copy that dies without cleaning up must not block the next start.
    first.kill();
    first.waitForFinished();
    CViewerDlg next(messages, chooser);
    EXPECT_TRUE(next.OnCreate());
    EXPECT_EQ(messages.m_shown.size(), 1u);
}

// A second start given a folder hands it to the copy that runs, which opens
// it (and so remembers it in the settings file) while the second start ends.
TEST(SecondCopy, HandsItsFolderToTheRunningCopy)
{
    TempCard card;
    card.Write("KR80A/B/LEVEL/B.CSV", "h\n");
    const std::string folder = card.Path("KR80A");
    QProcess first;
    ASSERT_TRUE(StartRunningCopy(first));
    const std::string settings = (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                  + "/KR80A_Viewer/KR80A_Viewer.ini").toStdString();

    RecordedMessages messages;
    DialogFolderChooser chooser;
    {
        CViewerDlg second(messages, chooser);
        second.SetFolderToOpen(folder);
        EXPECT_FALSE(second.OnCreate());
    }
    EXPECT_EQ(messages.m_shown, std::vector<std::string>{"多重起動は禁止されています"});
    std::string stored;
    for (int i = 0; i < 200 && stored != folder; ++i) {
        QThread::msleep(50);
        stored = ProfileFile(settings).ReadText("KR80A_Viewer", "Folder", "");
    }
    EXPECT_EQ(stored, folder);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

// Points the runtime folder at a fresh private folder while it lives.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() : m_saved(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QString::fromStdString(m_folder.Root())));
    }
    ~PrivateRuntimeFolder() { qputenv("XDG_RUNTIME_DIR", m_saved); }
    std::string LockPath() const { return SingleInstance::LockPath("KR80A_Viewer").toStdString(); }

private:
    TempCard m_folder; // made with mode 0700, as a runtime folder must be
    QByteArray m_saved;
};

TEST(SingleInstanceMarker, ExistsExactlyWhileHeld)
{
    PrivateRuntimeFolder runtime;
    SingleInstance first;
    SingleInstance second;
    ASSERT_TRUE(first.Acquire("KR80A_Viewer"));
    EXPECT_FALSE(second.Acquire("KR80A_Viewer"));
    first.Release();
    EXPECT_TRUE(second.Acquire("KR80A_Viewer"));
}

TEST(SingleInstanceMarker, WhatLiesInItsPlaceNeverBlocksAStart)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"empty file", [](const std::string& p) { std::ofstream(p).flush(); }},
        {"garbage", [](const std::string& p) { std::ofstream(p) << "\x01garbage\n\n"; }},
        {"another host's lock", [](const std::string& p) { std::ofstream(p) << "1\nKR80A_Viewer\nelsewhere\n"; }},
        {"this host's pid 1", [](const std::string& p) { std::ofstream(p) << "1\n"; }},
        {"folder", [](const std::string& p) { mkdir(p.c_str(), 0700); }},
        {"link to /dev/zero", [](const std::string& p) { if (symlink("/dev/zero", p.c_str()) != 0) ADD_FAILURE() << "symlink"; }},
        {"pipe", [](const std::string& p) { mkfifo(p.c_str(), 0600); }},
    };
    for (const Case& c : cases) {
        PrivateRuntimeFolder runtime;
        c.make(runtime.LockPath());
        SingleInstance marker;
        EXPECT_TRUE(marker.Acquire("KR80A_Viewer")) << c.name;
    }
}

// The fallback for a missing runtime folder is a folder of the user's own;
// one that another user made (or could enter) is never used.
TEST(SingleInstanceMarker, TheFallbackFolderIsTheUsersOwn)
{
    TempCard temp;
    const auto folder = [&](const std::string& name) { return QString::fromStdString(temp.Path(name)); };
    EXPECT_EQ(SingleInstance::PrivateFolder(folder("new")), folder("new"));
    struct stat info {};
    ASSERT_EQ(::stat(temp.Path("new").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(SingleInstance::PrivateFolder(folder("new")), folder("new"));
    ::mkdir(temp.Path("open").c_str(), 0700);
    ::chmod(temp.Path("open").c_str(), 0777);
    ::symlink(temp.Path("new").c_str(), temp.Path("link").c_str());
    temp.Write("file", "x");
    for (const char* name : {"open", "link", "file"})
        EXPECT_TRUE(SingleInstance::PrivateFolder(folder(name)).isEmpty()) << name;
    if (::geteuid() == 0) {
        ::mkdir(temp.Path("others").c_str(), 0700);
        ASSERT_EQ(::chown(temp.Path("others").c_str(), 65534, 65534), 0);
        EXPECT_TRUE(SingleInstance::PrivateFolder(folder("others")).isEmpty());
    }
}

// The toolkit's own options are never acted on: an unknown platform would
// end the program in the toolkit. They are refused as any unknown option is,
// before a window or a marker is made.
TEST(RunningCopy, RefusesOptionsItDoesNotKnow)
{
    QProcess program;
    program.start(VIEWER_PROGRAM, {"-platform", "no-such-platform", "-reverse"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("-platform"));
}

} // namespace
