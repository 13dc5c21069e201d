#include "HandOnJob.h"

#include <QThread>

HandOnJob::HandOnJob(Work work, QObject* parent) : QObject(parent), m_work(std::move(work)) {}

HandOnJob::~HandOnJob()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
    }
}

void HandOnJob::Start()
{
    m_thread.reset(QThread::create([this] {
        m_outcome = m_work([this](int done, int total) {
            m_done = done;
            m_total = total;
            return !m_cancel;
        });
    }));
    // Queued: the thread's own signal arrives on this object's thread once
    // the outcome is set.
    connect(m_thread.get(), &QThread::finished, this, &HandOnJob::finished, Qt::QueuedConnection);
    m_thread->start();
}

bool HandOnJob::Running() const
{
    return m_thread && !m_thread->isFinished();
}
