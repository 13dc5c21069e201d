#pragma once

#include "HandOnJob.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// A hand-on job with its progress dialog: records done of the total, the
// time left and "キャンセル", which asks the job to stop before its next
// record. The dialog leaves the window free (it stays painted and can be
// browsed); the job starts once the dialog is up. When the job has ended the
// dialog goes and `ended` is called with the outcome, on the user-interface
// thread.
class HandOnRun : public QObject {
    Q_OBJECT
public:
    using Ended = std::function<void(const HandOnOutcome&)>;

    HandOnRun(QWidget* owner, const QString& title, HandOnJob::Work work, Ended ended);
    ~HandOnRun() override;

    bool Running() const { return !m_ended; }
    QProgressDialog* Dialog() const { return m_dialog.get(); }

private:
    void ShowProgress();
    void Finish();

    HandOnJob m_job;
    std::unique_ptr<QProgressDialog> m_dialog;
    QTimer m_timer;
    QElapsedTimer m_clock;
    Ended m_whenEnded;
    bool m_ended = false;
};

// "12 / 70 件　残り 約 0:05"; the time left is given once a measurable part
// of the work is done.
QString ProgressText(int done, int total, double seconds);
