#include "CViewerDlg.h"
#include "FolderChooser.h"
#include "SingleInstance.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Starts the real program and waits until it holds the marker of a running copy.
bool StartRunningCopy(QProcess& process, const QStringList& arguments = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(VIEWER_PROGRAM, arguments);
    if (!process.waitForStarted())
        return false;
    const QString lock = SingleInstance::LockPath("KR80A_Viewer");
    for (int i = 0; i < 300 && process.state() == QProcess::Running; ++i) {
        if (QFile::exists(lock))
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

// Qt's own options are not acted on: an unknown platform would end the
// program at once.
TEST(RunningCopy, IgnoresTheCommandLine)
{
    QProcess program;
    EXPECT_TRUE(StartRunningCopy(program, {"-platform", "no-such-platform", "-reverse"}));
    program.kill();
    program.waitForFinished();
}

} // namespace
