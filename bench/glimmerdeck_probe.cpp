// The program exactly as app/main.cpp builds it, with a few probes the harness needs and the
// program itself has no business carrying. All of them are off unless their variable is set:
//
//   GLIMMERDECK_REPORT_FIRST_PAINT=1   "first-paint-ns <CLOCK_MONOTONIC>" once the first frame is
//   out,
//                                      and main-ns, qapplication-ns, window-built-ns, shown-ns
//   GLIMMERDECK_REPORT_FADE=1          "fade-2-ns <...>" at the first step of the fade-in (2/255),
//                                      "fade-250-ns <...>" when the window reaches opacity 250/255
//   GLIMMERDECK_BENCH_PANEL=text|spin  opens the menu, then "Text Animation" or "Spinning Image",
//                                      by clicking their buttons, and says "panel-open-ns <...>";
//   GLIMMERDECK_BENCH_PANEL_AT_MS=N    when to click the menu button, for either (default 2500)
//   GLIMMERDECK_BENCH_FIRST_OPEN=1     opens the menu, then each of the six panels once, clicking
//                                      their buttons, and says "open-ms <what> <ms>" for each:
//                                      from the click to the first frame that shows it; then quits
//   GLIMMERDECK_BENCH_QUIT_AFTER_MS=N  quits after N ms
//   GLIMMERDECK_BENCH_QUIT_AT_FIRST_PAINT=1  quits once the first frame is out (for profiling)
//   GLIMMERDECK_BENCH_COUNT_PAINTS=1   on quit, lists how often each widget painted, and how much

#include "first_paint.h"

#include "handlers/menu.h"
#include "qt/application.h"
#include "qt/display.h"
#include "qt/form_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPaintEvent>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {

// Counts paint events per widget, to see what repaints while nothing on screen should change.
class PaintCounter : public QObject {
public:
    ~PaintCounter() override
    {
        std::vector<std::pair<QString, Count>> rows(m_counts.begin(), m_counts.end());
        std::sort(rows.begin(), rows.end(),
            [](const auto& a, const auto& b) { return a.second.paints > b.second.paints; });
        for (const auto& [name, count] : rows)
            std::fprintf(stderr, "paints %6d  pixels %10lld  %s\n", count.paints, count.pixels,
                qPrintable(name));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const QRect r = static_cast<QPaintEvent*>(event)->rect();
            QString name = watched->objectName();
            if (name.isEmpty() && watched->parent())
                name = watched->parent()->objectName() + QStringLiteral("/")
                    + watched->metaObject()->className();
            Count& c = m_counts[name];
            ++c.paints;
            c.pixels += qint64(r.width()) * r.height();
        }
        return false;
    }

private:
    struct Count {
        int paints = 0;
        qint64 pixels = 0;
    };
    std::map<QString, Count> m_counts;
};

// Times the first opening of the menu and of each panel: from the click to the end of the first
// paint of the menu's client area or of the panel, when that frame goes to the screen.
class FirstOpening : public QObject {
public:
    FirstOpening(gd::Application& program, int atMs)
        : m_program(program)
    {
        QApplication::instance()->installEventFilter(this);
        QTimer::singleShot(atMs, this, [this] { next(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The menu's first frame is the first that shows it taller than when it was clicked. A
        // picture box may be painted through its client area alone, which covers it.
        if (!m_clickNs || event->type() != QEvent::Paint)
            return false;
        QObject* box = watched->objectName() == m_watch ? watched : watched->parent();
        if (!box || box->objectName() != m_watch
            || static_cast<QWidget*>(box)->height() == m_heightAtClick)
            return false;
        const long long click = std::exchange(m_clickNs, 0);
        QTimer::singleShot(0, this, [this, click] {
            // In whole microseconds, with a point whatever the locale (the program runs under
            // the user's, where printf might write 3,5).
            const long long us = (bench::monotonicNs() - click) / 1000;
            std::fprintf(
                stderr, "open-ms %s %lld.%03lld\n", qPrintable(m_watch), us / 1000, us % 1000);
            std::fflush(stderr);
            // The menu slides open in 52 ticks; a panel is open at once.
            QTimer::singleShot(m_step == 1 ? 1500 : 300, this, [this] { next(); });
        });
        return false;
    }

private:
    void next();

    gd::Application& m_program;
    int m_step = 0;
    long long m_clickNs = 0;
    QString m_watch;
    int m_heightAtClick = -1;
};

void clickButton(gd::Application& program, gd::ControlId id)
{
    auto* button = qobject_cast<QAbstractButton*>(program.window().widgetFor(id));
    if (!button || !button->isVisible() || !button->isEnabled()) {
        std::fprintf(stderr, "probe: %s cannot be clicked\n", gd::nameOf(id).data());
        QCoreApplication::exit(3);
        return;
    }
    button->click();
}

void FirstOpening::next()
{
    const int step = m_step++;
    if (step > int(gd::kTutorials.size())) {
        QCoreApplication::quit();
        return;
    }
    const gd::ControlId button
        = step == 0 ? gd::ControlId::Command7 : gd::kTutorials[step - 1].button;
    const gd::ControlId shows
        = step == 0 ? gd::ControlId::Picture15 : gd::kTutorials[step - 1].panel;
    m_watch = gd::toQString(gd::nameOf(shows));
    m_heightAtClick = step == 0 ? m_program.window().widgetFor(shows)->height() : -1;
    m_clickNs = bench::monotonicNs();
    clickButton(m_program, button);
}

} // namespace

int main(int argc, char** argv)
{
    // With the first-paint report comes a breakdown of start-up, to see where it goes.
    const bool phases = bench::envFlag("GLIMMERDECK_REPORT_FIRST_PAINT");
    if (phases)
        bench::report("main-ns");
    if (!gd::prepareDisplay())
        return 2;
    QApplication app(argc, argv);
    if (phases)
        bench::report("qapplication-ns");
    gd::Application glimmerdeck;
    if (phases)
        bench::report("window-built-ns");

    bench::FirstPaintReporter firstPaint;
    firstPaint.quitAfter = bench::envFlag("GLIMMERDECK_BENCH_QUIT_AT_FIRST_PAINT");
    if (phases || firstPaint.quitAfter)
        glimmerdeck.window().installEventFilter(&firstPaint);

    QTimer fadeWatch;
    if (bench::envFlag("GLIMMERDECK_REPORT_FADE")) {
        // Polling costs CPU, so only the fade run turns it on; its CPU time is not measured.
        fadeWatch.setTimerType(Qt::PreciseTimer);
        QObject::connect(&fadeWatch, &QTimer::timeout, [&, begun = false]() mutable {
            if (!begun && glimmerdeck.window().windowOpacity() > 0) {
                bench::report("fade-2-ns");
                begun = true;
            }
            if (glimmerdeck.window().windowOpacity() >= 250 / 255.0) {
                bench::report("fade-250-ns");
                fadeWatch.stop();
            }
        });
        fadeWatch.start(1);
    }

    // By default after the fade-in, as a person would; the menu slides open in 52 ticks.
    bool atSet = false;
    int at = qEnvironmentVariableIntValue("GLIMMERDECK_BENCH_PANEL_AT_MS", &atSet);
    if (!atSet)
        at = 2500;

    const QByteArray panel = qgetenv("GLIMMERDECK_BENCH_PANEL");
    if (!panel.isEmpty()) {
        const gd::ControlId box
            = panel == "spin" ? gd::ControlId::Picture8 : gd::ControlId::Picture16;
        const gd::Tutorial& tutorial
            = *std::ranges::find(gd::kTutorials, box, &gd::Tutorial::panel);
        QTimer::singleShot(at, [&] { clickButton(glimmerdeck, gd::ControlId::Command7); });
        QTimer::singleShot(at + 1500, [&] {
            clickButton(glimmerdeck, tutorial.button);
            if (!glimmerdeck.form()[tutorial.panel].visible()) {
                std::fprintf(stderr, "probe: %s did not open\n", gd::nameOf(tutorial.panel).data());
                QCoreApplication::exit(3);
                return;
            }
            bench::report("panel-open-ns");
        });
    }

    std::unique_ptr<FirstOpening> opening;
    if (bench::envFlag("GLIMMERDECK_BENCH_FIRST_OPEN"))
        opening = std::make_unique<FirstOpening>(glimmerdeck, at);

    std::unique_ptr<PaintCounter> paints;
    if (bench::envFlag("GLIMMERDECK_BENCH_COUNT_PAINTS")) {
        paints = std::make_unique<PaintCounter>();
        app.installEventFilter(paints.get());
    }

    const int quitAfterMs = qEnvironmentVariableIntValue("GLIMMERDECK_BENCH_QUIT_AFTER_MS");
    if (quitAfterMs > 0)
        QTimer::singleShot(quitAfterMs, &app, &QCoreApplication::quit);

    glimmerdeck.start();
    if (phases)
        bench::report("shown-ns");
    return app.exec();
}
