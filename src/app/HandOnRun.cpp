#include "HandOnRun.h"

#include <QProgressDialog>

#include <cmath>

namespace {

// Often enough that the count moves smoothly, seldom enough to cost nothing.
constexpr int kProgressMilliseconds = 100;

QString Clock(double seconds)
{
    const auto whole = static_cast<long long>(std::ceil(seconds));
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QChar(u'0'));
}

} // namespace

QString ProgressText(int done, int total, double seconds)
{
    QString text = QStringLiteral("%1 / %2 件").arg(done).arg(total);
    if (done > 0 && done < total && seconds >= 1.0)
        text += QStringLiteral("　残り 約 ") + Clock(seconds * (total - done) / done);
    return text;
}

HandOnRun::HandOnRun(QWidget* owner, const QString& title, HandOnJob::Work work, Ended ended)
    : m_job(std::move(work)), m_dialog(std::make_unique<QProgressDialog>(owner)), m_whenEnded(std::move(ended))
{
    m_dialog->setObjectName("m_handOnProgress");
    m_dialog->setWindowTitle(title);
    m_dialog->setWindowModality(Qt::NonModal);
    m_dialog->setCancelButtonText(QStringLiteral("キャンセル"));
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    m_dialog->setMinimumWidth(360);
    m_dialog->setRange(0, 0);
    m_dialog->setLabelText(QStringLiteral("準備しています…"));
    connect(m_dialog.get(), &QProgressDialog::canceled, this, [this] {
        m_job.Cancel();
        m_dialog->setLabelText(QStringLiteral("中止しています…"));
    });
    connect(&m_job, &HandOnJob::finished, this, &HandOnRun::Finish);
    connect(&m_timer, &QTimer::timeout, this, &HandOnRun::ShowProgress);
    m_dialog->show();
    m_timer.start(kProgressMilliseconds);
    m_clock.start();
    // Once the dialog is up, so that a cancel at once stops before the first record.
    QTimer::singleShot(0, this, [this] { m_job.Start(); });
}

HandOnRun::~HandOnRun() = default;

void HandOnRun::ShowProgress()
{
    if (m_dialog->wasCanceled() || m_job.Total() == 0)
        return;
    m_dialog->setRange(0, m_job.Total());
    m_dialog->setValue(m_job.Done());
    m_dialog->setLabelText(ProgressText(m_job.Done(), m_job.Total(), static_cast<double>(m_clock.elapsed()) / 1000.0));
}

void HandOnRun::Finish()
{
    m_timer.stop();
    m_ended = true;
    m_dialog->hide();
    if (m_whenEnded)
        m_whenEnded(m_job.Outcome());
}
