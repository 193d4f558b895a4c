#pragma once

// The program as one object: the real platform, the window model, the window built from it, and
// the desktop's wish for less motion, which the platform answers.

#include "core/tick_scheduler.h"
#include "model/form.h"
#include "qt/qt_platform.h"

#include <memory>

namespace gd {

class FormWindow;
class MotionSetting;

class Application {
public:
    // The timers run on `clock`; a benchmark may hand in one it moves itself.
    explicit Application(TickScheduler::Clock clock = TickScheduler::steadyClock());
    ~Application();

    // Builds the window, runs the load handler and shows the window.
    void start();

    Form1& form() { return *m_form; }
    FormWindow& window() { return *m_window; }
    QtPlatform& platform() { return m_platform; }

private:
    QtPlatform m_platform;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<FormWindow> m_window;
    std::unique_ptr<MotionSetting> m_motion; // tells m_platform the desktop's wish
};

} // namespace gd
