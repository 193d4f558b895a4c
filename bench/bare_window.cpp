// The reference every whole-program figure is divided by: a bare Qt window of the program's
// size, with nothing in it. With --tick it runs the cheapest honest animation, one 64 Hz timer
// repainting one 16 x 16 rectangle, which is the floor for a window that animates at all.
//
// With --label it also shows one line of text: the floor for any window with words in it, since
// the first text pays for font configuration and a font engine, which a bare window never does.
//
//   bare_window [--tick] [--label] [--quit-after-ms N]
//   GLIMMERDECK_REPORT_FIRST_PAINT=1 prints "first-paint-ns <CLOCK_MONOTONIC>" on stderr.

#include "first_paint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <cstring>

namespace {

class BareWindow : public QWidget {
public:
    explicit BareWindow(bool tick)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setWindowTitle(QStringLiteral("bare"));
        setFixedSize(817, 586);
        setAttribute(Qt::WA_OpaquePaintEvent);
        if (!tick)
            return;
        // The same 1/64 s grid the program's fast timers use: re-armed against one origin.
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] { step(); });
        m_clock.start();
        arm();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.fillRect(event->rect(), QColor(0x40, 0x40, 0x40));
        p.fillRect(kSquare, m_lit ? Qt::yellow : Qt::darkGray);
    }

private:
    static constexpr qint64 kTickNs = 15'625'000;
    static constexpr QRect kSquare { 400, 285, 16, 16 };

    void arm()
    {
        const qint64 waitNs = std::max<qint64>(0, ++m_tick * kTickNs - m_clock.nsecsElapsed());
        m_timer.start(static_cast<int>((waitNs + 999'999) / 1'000'000));
    }
    void step()
    {
        arm();
        m_lit = !m_lit;
        update(kSquare);
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_tick = 0;
    bool m_lit = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    bool tick = false;
    bool label = false;
    int quitAfterMs = -1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tick") == 0)
            tick = true;
        else if (std::strcmp(argv[i], "--label") == 0)
            label = true;
        else if (std::strcmp(argv[i], "--quit-after-ms") == 0 && i + 1 < argc)
            quitAfterMs = std::atoi(argv[++i]);
    }
    BareWindow window(tick);
    if (label) {
        auto* text = new QLabel(QStringLiteral("Glimmerdeck"), &window);
        text->move(16, 16);
    }
    bench::FirstPaintReporter reporter;
    reporter.quitAfter = bench::envFlag("GLIMMERDECK_BENCH_QUIT_AT_FIRST_PAINT");
    if (bench::envFlag("GLIMMERDECK_REPORT_FIRST_PAINT") || reporter.quitAfter)
        window.installEventFilter(&reporter);
    window.show();
    if (quitAfterMs >= 0)
        QTimer::singleShot(quitAfterMs, &app, &QCoreApplication::quit);
    return app.exec();
}
