#pragma once

// The real platform on Windows: the window's own calls for opacity, minimising and ending, the
// system's message box, Windows Sockets 1.1 for the host name, the system's memory figure, and the
// picture boxes' surfaces, which the window layer owns.

#include "core/shared_reading.h"
#include "model/platform.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace gd {

class Win32Platform : public Platform {
public:
    using SurfaceOf = std::function<Surface*(const Control&)>;

    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // The window the calls act on, where its picture boxes' surfaces are, and how its timers stop
    // at once; given once the window exists, and taken back (all empty) before it goes.
    void attach(HWND window, SurfaceOf surfaces, std::function<void()> stopTimers);
    int exitStatus() const { return m_exitStatus; }
    // What the platform reads of the system may have changed (the desktop's settings, the screens,
    // the window's screen): it is read again, when next asked for.
    void systemChanged();

    bool setWindowOpacity(std::uint8_t alpha) override;
    void minimiseWindow() override;
    ScreenMetrics screen() override;
    bool motionReduced() override;
    int messageBox(std::string_view prompt, int flags, std::string_view title) override;
    void endProgram(int exitStatus) override;
    NetworkLibrary startNetwork() override;
    int hostName(std::string& name) override;
    int stopNetwork() override;
    std::optional<std::uint64_t> availableMemory() override;
    Surface* surface(const Control& pictureBox) override;

    // The screen's dots per inch (96 when it cannot be read); 1440 / dpi twips make a pixel.
    static int screenDpi();

private:
    static bool readMotionReduced();
    ScreenMetrics readScreen() const;

    HWND m_window = nullptr;
    SurfaceOf m_surfaces;
    std::function<void()> m_stopTimers;
    int m_exitStatus = 0;
    bool m_motionReduced = readMotionReduced();
    std::optional<ScreenMetrics> m_screen; // read on first use after a change
    SharedReading<std::uint64_t> m_memory { TickScheduler::steadyClock() };
};

} // namespace gd
