#pragma once

// The tick scheduler's alarm in Qt: one precise single-shot timer that wakes the scheduler when
// its next tick is due.

#include "core/tick_scheduler.h"

#include <QObject>
#include <QTimer>

namespace gd {

class TickTimer : public QObject, public Alarm {
    Q_OBJECT

public:
    explicit TickTimer(QObject* parent = nullptr);

    // The scheduler it wakes; set once, before the first set().
    void wake(TickScheduler& scheduler) { m_scheduler = &scheduler; }
    TickScheduler& scheduler() const { return *m_scheduler; }

    void set(int ms) override { m_timer.start(ms); }
    void cancel() override { m_timer.stop(); }

private:
    QTimer m_timer;
    TickScheduler* m_scheduler = nullptr;
};

} // namespace gd
