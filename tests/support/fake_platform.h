#pragma once

// A platform for tests: records every call, answers from a script, and fails any call on
// request. Nothing in it touches a display, a socket or the clock.

#include "platform/platform.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gd {

class FakePlatform : public Platform {
public:
    struct Message {
        std::string prompt;
        int flags;
        std::string title;
    };
    struct Blit {
        std::string op; // "StretchBlt" or "BitBlt"
        HDC dest;
        int x, y, width, height;
        HDC src;
        int xSrc, ySrc, srcWidth, srcHeight;
        std::int32_t rop;
    };

    // --- what the fake answers ---
    double screenWidthTwips = 1280 * 15.0;
    double screenHeightTwips = 1024 * 15.0;
    double tppX = 15, tppY = 15;
    std::int32_t exStyle = 0;
    std::deque<int> answers; // MsgBox answers, in order; vbNo (or OK) once empty
    int defaultAnswer = vbNo;
    // Runs while a message is up, as the events a real message box's own event loop delivers.
    std::function<void()> whileMessageShows;

    int startupResult = 0;
    WSAData startupData { 0x0101, 100 };
    std::string hostName = "box7";
    std::optional<std::vector<char>> hostBuffer; // raw bytes to leave in the buffer instead
    int hostNameResult = 0;
    int lastError = 10093;
    int cleanupResult = 0;
    std::optional<std::uint64_t> memory = 1'073'741'824; // nullopt: the system gives no figure

    // --- what it saw ---
    std::vector<Message> messages;
    std::vector<int> alphas;     // every SetLayeredWindowAttributes alpha
    std::vector<int> windowStates;
    std::vector<Blit> blits;
    std::vector<std::string> calls; // every call by name, in order
    std::optional<int> endedWith;
    std::map<HDC, std::string> surfaces; // handle -> picture box name

    std::int32_t GetWindowLongA(std::int32_t index) override;
    std::int32_t SetWindowLongA(std::int32_t index, std::int32_t style) override;
    std::int32_t SetLayeredWindowAttributes(std::uint32_t crKey, std::uint8_t bAlpha,
        std::int32_t dwFlags) override;
    void setWindowState(int state) override;
    double screenWidth() override { return screenWidthTwips; }
    double screenHeight() override { return screenHeightTwips; }
    double twipsPerPixelX() override { return tppX; }
    double twipsPerPixelY() override { return tppY; }
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

    int count(const std::string& call) const;
};

} // namespace gd
