#pragma once

// The real platform: the Qt window for opacity and state, QMessageBox for messages, POSIX for
// the host name, the kernel's figure for available memory, and the picture boxes' own surfaces.

#include "core/shared_reading.h"
#include "model/platform.h"
#include "system/memory.h"

#include <optional>
#include <string_view>

namespace gd {

class FormWindow;

class QtPlatform : public Platform {
public:
    explicit QtPlatform(TickScheduler::Clock clock = TickScheduler::steadyClock());
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window the calls act on; set once it exists.
    void attach(FormWindow* window) { m_window = window; }
    int exitStatus() const { return m_exitStatus; }
    // What the desktop wishes, as its settings tell it (MotionSetting); the handlers ask.
    void setMotionReduced(bool reduce) { m_motionReduced = reduce; }

    bool setWindowOpacity(std::uint8_t alpha) override;
    void minimiseWindow() override;
    ScreenMetrics screen() override;
    bool motionReduced() override { return m_motionReduced; }
    int messageBox(std::string_view prompt, int flags, std::string_view title) override;
    void endProgram(int exitStatus) override;
    NetworkLibrary startNetwork() override;
    int hostName(std::string& name) override;
    int stopNetwork() override;
    std::optional<std::uint64_t> availableMemory() override;
    Surface* surface(const Control& pictureBox) override;

    // Twips per pixel of the primary screen: 1440 / logical dots per inch.
    static double screenTwipsPerPixel();

private:
    FormWindow* m_window = nullptr;
    int m_exitStatus = 0;
    bool m_motionReduced = false;
    AvailableMemory m_memory;
    SharedReading<std::uint64_t> m_reading;
};

} // namespace gd
