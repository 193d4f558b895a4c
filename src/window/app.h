#pragma once

// The program as one object: the real platform, the window model and the window built from it.

#include "platform/qt_platform.h"
#include "window/form.h"

#include <memory>

namespace gd {

class FormWindow;

// Looks for a display before Qt would abort without one. Prefers the X server under a Wayland
// session (through XWayland), where window opacity and placement work; runs on Wayland itself
// when there is no X server. Returns false, having said why in one sentence, when there is no
// display Qt can use.
bool prepareDisplay();

// Makes the faces the window description names resolve to installed metric-compatible fonts.
void installFonts();

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
