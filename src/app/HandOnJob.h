#pragma once

#include "handon/HandOn.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

// One piece of handing-on work (pictures, report or table) run on a thread
// of its own, so that the window stays painted and answers meanwhile. The
// work tells its progress through counters that the window reads when it
// likes; Cancel asks it to stop before its next record.
//
// Who calls it: the user-interface thread alone; `finished` arrives there.
// Destroying a running job cancels it and waits for it, so the card it
// reads outlives it.
class HandOnJob : public QObject {
    Q_OBJECT
public:
    using Work = std::function<HandOnOutcome(const HandOnProgress&)>;

    explicit HandOnJob(Work work, QObject* parent = nullptr);
    ~HandOnJob() override;

    void Start();
    void Cancel() { m_cancel = true; }
    bool Running() const;
    int Done() const { return m_done; }
    int Total() const { return m_total; }
    // How the work ended; valid once `finished` has come.
    const HandOnOutcome& Outcome() const { return m_outcome; }

signals:
    void finished();

private:
    Work m_work;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_done{0};
    std::atomic<int> m_total{0};
    HandOnOutcome m_outcome;
};
