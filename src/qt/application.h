#pragma once

// The program as one object: the real platform, the window model and the window built from it.

#include "model/form.h"
#include "qt/qt_platform.h"

#include <memory>

namespace gd {

class FormWindow;

class Application {
public:
    Application();
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
};

} // namespace gd
