#pragma once

// Everything the handlers need of the system, behind one small interface. The real side talks to
// Qt and POSIX; tests use a recording fake that can make any call fail on purpose. The calls
// keep the names and argument orders the tutorials' listings use, so a handler reads like the
// code it teaches.

#include <cstdint>
#include <optional>
#include <string>

namespace gd {

class Control;

// Window style bits the fade-in uses.
constexpr std::int32_t GWL_EXSTYLE = -20;
constexpr std::int32_t WS_EX_LAYERED = 0x80000;
constexpr std::int32_t LWA_COLORKEY = 0x1;
constexpr std::int32_t LWA_ALPHA = 0x2;
constexpr std::int32_t SRCCOPY = 0xCC0020;

// Message box flags and answers.
constexpr int vbOKOnly = 0;
constexpr int vbYesNo = 4;
constexpr int vbQuestion = 32;
constexpr int vbInformation = 64;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// What the socket library's start-up reports; only these two fields are read.
struct WSAData {
    std::uint16_t wVersion = 0;
    std::int16_t iMaxSockets = 0;
};

using HDC = std::intptr_t;

class Platform {
public:
    virtual ~Platform() = default;

    // Window style and whole-window opacity.
    virtual std::int32_t GetWindowLongA(std::int32_t index) = 0;
    virtual std::int32_t SetWindowLongA(std::int32_t index, std::int32_t style) = 0;
    virtual std::int32_t SetLayeredWindowAttributes(std::uint32_t crKey, std::uint8_t bAlpha,
        std::int32_t dwFlags)
        = 0;
    virtual void setWindowState(int state) = 0; // 1 minimises

    // The screen, in twips, and its density.
    virtual double screenWidth() = 0;
    virtual double screenHeight() = 0;
    virtual double twipsPerPixelX() = 0;
    virtual double twipsPerPixelY() = 0;

    // Modal message box; returns the button pressed (vbYes, vbNo, 1 for OK). Timers keep ticking
    // while it waits. An empty title means the program's default title.
    virtual int MsgBox(const std::string& prompt, int flags, const std::string& title) = 0;

    // Ends the program at once; no handler runs after it.
    virtual void End(int exitStatus) = 0;

    // Host-name lookup through the socket library.
    virtual int WSAStartup(std::uint16_t versionRequired, WSAData& data) = 0;
    virtual int gethostname(char* name, int namelen) = 0;
    virtual int WSAGetLastError() = 0;
    virtual int WSACleanup() = 0;

    // Available physical memory in bytes; nothing when the system gives no figure at all.
    virtual std::optional<std::uint64_t> availablePhysicalMemory() = 0;

    // Drawing surfaces of picture boxes and the block copies between them.
    virtual HDC hDC(Control& pictureBox) = 0;
    virtual void Cls(Control& pictureBox) = 0;
    virtual void Refresh(Control& pictureBox) = 0;
    virtual std::int32_t StretchBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src,
        int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, std::int32_t dwRop)
        = 0;
    virtual std::int32_t BitBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src, int xSrc,
        int ySrc, std::int32_t dwRop)
        = 0;
};

} // namespace gd
