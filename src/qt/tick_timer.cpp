#include "qt/tick_timer.h"

namespace gd {

TickTimer::TickTimer(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_scheduler->fire(); });
}

} // namespace gd
