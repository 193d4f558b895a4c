#pragma once

// Start-up is measured from outside: the harness notes CLOCK_MONOTONIC before it starts a
// process, and the process says on stderr when its first frame was complete. Shared by the
// bare reference window and the program probe so both are timed the same way.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace bench {

inline long long monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

inline void report(const char* what)
{
    std::fprintf(stderr, "%s %lld\n", what, monotonicNs());
    std::fflush(stderr);
}

// Watches a top-level widget for its first paint. The top level paints first and its children
// after it in the same pass, and the backing store is flushed at the end of that pass, so the
// frame is complete when the event loop next gets control: report from a zero timer.
class FirstPaintReporter : public QObject {
public:
    using QObject::QObject;
    // Quitting right after the first frame lets a profiler see start-up and nothing else.
    bool quitAfter = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [quit = quitAfter] {
                report("first-paint-ns");
                if (quit)
                    QCoreApplication::quit();
            });
        }
        return false;
    }
};

inline bool envFlag(const char* name)
{
    const QByteArray value = qgetenv(name);
    return !value.isEmpty() && value != "0";
}

} // namespace bench
