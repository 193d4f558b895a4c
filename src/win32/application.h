#pragma once

// The program as one object: COM for the picture decoder, the real platform, the window model,
// and the window built from it.

#include "model/form.h"
#include "win32/com.h"
#include "win32/win32_platform.h"

#include <memory>

namespace gd {

class FormWindow;

class Application {
public:
    Application();
    ~Application();

    // False when the window could not be made: there is no desktop to show it on (under Wine, no
    // X display).
    bool hasWindow() const;
    // Runs the load handler and shows the window.
    void start();
    // The message loop, until the program ends: returns its exit status.
    int run();

    Form1& form() { return *m_form; }
    FormWindow& window() { return *m_window; }
    Win32Platform& platform() { return m_platform; }

private:
    ComApartment m_com; // first in, last out: the pictures' decoder lives in it
    Win32Platform m_platform;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<FormWindow> m_window;
};

} // namespace gd
