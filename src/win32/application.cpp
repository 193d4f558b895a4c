#include "win32/application.h"

#include "handlers/event_table.h"
#include "win32/form_window.h"

#include <commctrl.h>

namespace gd {

Application::Application()
{
    // The system's controls this window uses beyond user32's own: the tooltip.
    const INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);
    m_form = std::make_unique<Form1>(m_platform, eventTable());
    const int dpi = Win32Platform::screenDpi();
    const double tpp = 1440.0 / dpi;
    m_window = std::make_unique<FormWindow>(*m_form, Scale { tpp, tpp }, dpi);
    FormWindow* window = m_window.get();
    m_window->onSystemChanged([this] { m_platform.systemChanged(); });
    m_platform.attach(
        window->hwnd(), [window](const Control& c) { return window->surface(c); },
        [window] { window->stopTimers(); });
}

Application::~Application() { m_platform.attach(nullptr, {}, {}); }

bool Application::hasWindow() const { return m_window->hwnd() != nullptr; }

void Application::start() { m_window->start(); }

int Application::run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (m_window->keyPressed(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : m_platform.exitStatus();
}

} // namespace gd
