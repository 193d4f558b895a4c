#include "win32/win32_platform.h"

#include <winsock.h>

#include <cstring>
#include <string>
#include <utility>

// The handlers' layer has functions of the same names as some of the system calls here
// (gd::GetWindowLongA, gd::gethostname, ...): the system's are always called as ::Name.

namespace gd {

void Win32Platform::attach(HWND window, SurfaceOf surfaces, std::function<void()> stopTimers)
{
    m_window = window;
    m_screen.reset();
    m_surfaces = std::move(surfaces);
    m_stopTimers = std::move(stopTimers);
}

// As the fade-in tutorial teaches it: only a layered window takes an opacity.
bool Win32Platform::setWindowOpacity(std::uint8_t alpha)
{
    if (!m_window)
        return false;
    const LONG style = ::GetWindowLongA(m_window, GWL_EXSTYLE);
    if (!(style & WS_EX_LAYERED)) // once; the fade sets the opacity 125 times
        ::SetWindowLongA(m_window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    return ::SetLayeredWindowAttributes(m_window, 0, alpha, LWA_ALPHA) != FALSE;
}

void Win32Platform::minimiseWindow()
{
    if (m_window)
        ::ShowWindow(m_window, SW_MINIMIZE);
}

int Win32Platform::screenDpi()
{
    const UINT dpi = ::GetDpiForSystem();
    return dpi > 0 ? int(dpi) : 96;
}

// The spinning picture asks on every tick; each asking is several calls of the system's (under
// Wine each a round trip to its server), so the answer is kept until the window says the screen
// may have changed.
ScreenMetrics Win32Platform::screen()
{
    if (!m_screen)
        m_screen = readScreen();
    return *m_screen;
}

// The screen the window is on, in its own pixels and at its own density; before there is a
// window, the primary screen.
ScreenMetrics Win32Platform::readScreen() const
{
    int dpi = screenDpi();
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    if (m_window) {
        if (const UINT own = ::GetDpiForWindow(m_window))
            dpi = int(own);
        MONITORINFO monitor {};
        monitor.cbSize = sizeof monitor;
        if (::GetMonitorInfoW(::MonitorFromWindow(m_window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
            width = monitor.rcMonitor.right - monitor.rcMonitor.left;
            height = monitor.rcMonitor.bottom - monitor.rcMonitor.top;
        }
    }
    if (width <= 0 || height <= 0)
        return {};
    const double tpp = 1440.0 / dpi;
    return { width * tpp, height * tpp, tpp, tpp };
}

// The desktop's "Show animations in Windows" (Settings, Accessibility, Visual effects), read once
// and again whenever the desktop says its settings changed: the handlers ask on every tick.
bool Win32Platform::readMotionReduced()
{
    BOOL animate = TRUE;
    return ::SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0) && !animate;
}

bool Win32Platform::motionReduced() { return m_motionReduced; }

void Win32Platform::systemChanged()
{
    m_motionReduced = readMotionReduced();
    m_screen.reset();
}

int Win32Platform::messageBox(std::string_view prompt, int flags, std::string_view title)
{
    // The program's flags and answers have the values of Windows' own; they are mapped one by
    // one all the same, so that nothing rests on that.
    UINT type = (flags & 0x7) == vbYesNo ? MB_YESNO : MB_OK;
    switch (flags & 0x70) {
    case vbCritical: type |= MB_ICONHAND; break;
    case vbQuestion: type |= MB_ICONQUESTION; break;
    case vbInformation: type |= MB_ICONINFORMATION; break;
    default: break;
    }
    // Modal to the window while it can be seen. The model's texts are Latin-1, which Western
    // Windows' ANSI code page reads alike; the program's messages are all ASCII.
    const HWND owner = m_window && ::IsWindowVisible(m_window) ? m_window : nullptr;
    const std::string text(prompt);
    const std::string caption(title.empty() ? std::string_view("Glimmerdeck") : title);
    // MessageBoxA runs a message loop of its own while it waits, so the window's timers keep
    // ticking.
    switch (::MessageBoxA(owner, text.c_str(), caption.c_str(), type)) {
    case IDOK: return vbOK;
    case IDYES: return vbYes;
    case IDNO: return vbNo;
    default: return 0; // no box could be shown
    }
}

void Win32Platform::endProgram(int exitStatus)
{
    m_exitStatus = exitStatus;
    if (m_stopTimers)
        m_stopTimers();
    if (m_window)
        ::ShowWindow(m_window, SW_HIDE);
    ::PostQuitMessage(exitStatus);
}

// Windows Sockets 1.1 (WSOCK32.dll), the library the host-name tutorial uses.
NetworkLibrary Win32Platform::startNetwork()
{
    WSADATA data {};
    if (const int error = ::WSAStartup(0x101, &data); error != 0)
        return { error, 0, 0 };
    // iMaxSockets is read as the 16-bit signed integer the listing declares it.
    return { 0, data.wVersion, static_cast<std::int16_t>(data.iMaxSockets) };
}

int Win32Platform::hostName(std::string& name)
{
    char buffer[256];
    if (::gethostname(buffer, sizeof buffer) == SOCKET_ERROR)
        return ::WSAGetLastError();
    // A name that fills the buffer may come without its terminating NUL.
    name.assign(buffer, strnlen(buffer, sizeof buffer));
    return 0;
}

int Win32Platform::stopNetwork() { return ::WSACleanup() == 0 ? 0 : ::WSAGetLastError(); }

// The fields are SIZE_T in a 64-bit program: exact above 4 GB too. Owed ticks share a reading.
std::optional<std::uint64_t> Win32Platform::availableMemory()
{
    return m_memory.get([] {
        MEMORYSTATUS status {};
        status.dwLength = sizeof status;
        ::GlobalMemoryStatus(&status);
        return std::uint64_t(status.dwAvailPhys);
    });
}

Surface* Win32Platform::surface(const Control& pictureBox)
{
    return m_surfaces ? m_surfaces(pictureBox) : nullptr;
}

} // namespace gd
