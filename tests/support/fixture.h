#pragma once

// What the logic tests share: the window model on a recording fake platform, loaded as at
// start-up, and a few ways to read it.

#include "fake_platform.h"
#include "handlers/event_table.h"
#include "model/form.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gd {

using Names = std::vector<std::string>;

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
    Control& ctl(std::string_view name) { return form[id(name)]; }

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
    Names shownPanels();
};

// The caption or listing the tutorial texts give a control; nothing when they give it none.
std::optional<std::string_view> tutorialText(ControlId id);

// The parts of a text between the separators, empty ones too: "a,,b," is "a", "", "b", "".
Names split(std::string_view text, std::string_view separator);

} // namespace gd
