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
//   GLIMMERDECK_BENCH_PANEL_AT_MS=N    when to click the menu button (default 2500)
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

    const QByteArray panel = qgetenv("GLIMMERDECK_BENCH_PANEL");
    if (!panel.isEmpty()) {
        const gd::ControlId box
            = panel == "spin" ? gd::ControlId::Picture8 : gd::ControlId::Picture16;
        const gd::Tutorial& tutorial
            = *std::ranges::find(gd::kTutorials, box, &gd::Tutorial::panel);
        // By default after the fade-in, as a person would; the menu slides open in 52 ticks.
        bool ok = false;
        int at = qEnvironmentVariableIntValue("GLIMMERDECK_BENCH_PANEL_AT_MS", &ok);
        if (!ok)
            at = 2500;
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
