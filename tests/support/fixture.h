#pragma once

// What the logic tests share: the window model on a recording fake platform, loaded as at
// start-up, and a few ways to read it.

#include "fake_platform.h"
#include "handlers/event_table.h"
#include "model/form.h"

#include <QString>
#include <QStringList>

#include <string_view>

namespace gd {

struct Fixture {
    FakePlatform platform;
    Form1 form { platform, eventTable() };

    explicit Fixture(bool load = true)
    {
        if (load)
            form.load();
    }

    // A control by the name a test's data row gives it; an unknown name stops the test program.
    static ControlId id(std::string_view name);
    static ControlId id(const QString& name) { return id(std::string_view(name.toStdString())); }
    Control& ctl(const QString& name) { return form[id(name)]; }

    static QString caption(const Control& c) { return QString::fromStdString(c.caption()); }
    static QString tag(const Control& c) { return QString::fromStdString(c.tag()); }

    void ticks(ControlId timer, int n)
    {
        for (int k = 0; k < n; ++k)
            form.tick(timer);
    }
    // Ticks the timer until it stops itself: how many ticks ran, or -1 if it never stops.
    int runOut(ControlId timer);

    // Nothing said, nothing ended.
    bool quiet() const { return platform.messages.empty() && !form.ended(); }

    // The tutorial panels whose Visible is set, in the order the menu writes them.
    QStringList shownPanels();
};

} // namespace gd
