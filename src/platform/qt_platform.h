#pragma once

// The real platform: the Qt window for opacity and state, QMessageBox for messages, POSIX for
// the host name, the kernel's figure for available memory, and QPainter on the picture boxes'
// surfaces for the block copies.

#include "platform/platform.h"

#include <QString>

#include <optional>
#include <string_view>

namespace gd {

class FormWindow;

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window the calls act on; set once it exists.
    void attach(FormWindow* window) { m_window = window; }
    int exitStatus() const { return m_exitStatus; }

    std::int32_t GetWindowLongA(std::int32_t index) override;
    std::int32_t SetWindowLongA(std::int32_t index, std::int32_t style) override;
    std::int32_t SetLayeredWindowAttributes(std::uint32_t crKey, std::uint8_t bAlpha,
        std::int32_t dwFlags) override;
    void setWindowState(int state) override;
    double screenWidth() override;
    double screenHeight() override;
    double twipsPerPixelX() override;
    double twipsPerPixelY() override;
    int MsgBox(const std::string& prompt, int flags, const std::string& title) override;
    void End(int exitStatus) override;
    int WSAStartup(std::uint16_t versionRequired, WSAData& data) override;
    int gethostname(char* name, int namelen) override;
    int WSAGetLastError() override;
    int WSACleanup() override;
    std::optional<std::uint64_t> availablePhysicalMemory() override;
    HDC hDC(Control& pictureBox) override;
    void Cls(Control& pictureBox) override;
    void Refresh(Control& pictureBox) override;
    std::int32_t StretchBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src, int xSrc,
        int ySrc, int nSrcWidth, int nSrcHeight, std::int32_t dwRop) override;
    std::int32_t BitBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src, int xSrc,
        int ySrc, std::int32_t dwRop) override;

    // Twips per pixel of the primary screen: 1440 / logical dots per inch.
    static double screenTwipsPerPixel();

    // MemAvailable from the text of /proc/meminfo, in bytes; false when it is not there or does
    // not fit.
    static bool parseMemAvailable(std::string_view meminfo, std::uint64_t& bytes);

    // The fallback figure from sysinfo(2): free plus buffer memory, in bytes; nothing when the
    // call fails or the product does not fit.
    static std::optional<std::uint64_t> sysinfoAvailable();
    static std::optional<std::uint64_t> sysinfoAvailable(std::uint64_t freeram,
        std::uint64_t bufferram, std::uint32_t memUnit);

private:
    FormWindow* m_window = nullptr;
    std::int32_t m_exStyle = 0;
    int m_lastError = 0;
    int m_exitStatus = 0;
    int m_meminfo = -1; // /proc/meminfo, open once the first figure is asked for
};

} // namespace gd
