#pragma once

// The real platform: the Qt window for opacity and state, QMessageBox for messages, POSIX for
// the host name, the kernel's figure for available memory, and the picture boxes' own surfaces.

#include "model/platform.h"

#include <optional>
#include <string_view>

namespace gd {

class FormWindow;

class QtPlatform : public Platform {
public:
    QtPlatform() = default;
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window the calls act on; set once it exists.
    void attach(FormWindow* window) { m_window = window; }
    int exitStatus() const { return m_exitStatus; }

    bool setWindowOpacity(std::uint8_t alpha) override;
    void minimiseWindow() override;
    ScreenMetrics screen() override;
    int messageBox(std::string_view prompt, int flags, std::string_view title) override;
    void endProgram(int exitStatus) override;
    NetworkLibrary startNetwork() override;
    int hostName(std::string& name) override;
    int stopNetwork() override;
    std::optional<std::uint64_t> availableMemory() override;
    Surface* surface(const Control& pictureBox) override;

    // Twips per pixel of the primary screen: 1440 / logical dots per inch.
    static double screenTwipsPerPixel();

    // MemAvailable from the text of /proc/meminfo, in bytes; false when it is not there or does
    // not fit.
    static bool parseMemAvailable(std::string_view meminfo, std::uint64_t& bytes);

    // The fallback figure from sysinfo(2): free plus buffer memory, in bytes; nothing when the
    // call fails or the product does not fit.
    static std::optional<std::uint64_t> sysinfoAvailable();
    static std::optional<std::uint64_t> sysinfoAvailable(
        std::uint64_t freeram, std::uint64_t bufferram, std::uint32_t memUnit);

private:
    FormWindow* m_window = nullptr;
    int m_exitStatus = 0;
    int m_meminfo = -1; // /proc/meminfo, open once the first figure is asked for
};

} // namespace gd
