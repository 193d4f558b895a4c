#pragma once

// What the program needs of the system, in its own words, behind one small interface. The real
// side talks to Qt and POSIX; tests use a recording fake that can make any call fail the way the
// call says it can. The tutorials' library calls (SetLayeredWindowAttributes, StretchBlt, the
// socket calls, ...) are thin functions over this, in handlers/library_calls.h.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

class Control;

// The screen: its size in twips and its density. A screen that cannot be read reports zeros.
struct ScreenMetrics {
    double width = 0;
    double height = 0;
    double twipsPerPixelX = 0;
    double twipsPerPixelY = 0;
};

// Message box flags and answers, as the program's messages spell them.
constexpr int vbOKOnly = 0;
constexpr int vbYesNo = 4;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbInformation = 64;
constexpr int vbOK = 1;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// The network library the host-name lookup goes through, as its start-up reports it.
struct NetworkLibrary {
    int error = 0;             // 0: started
    std::uint16_t version = 0; // low byte major, high byte minor
    std::int16_t maxSockets = 0;
};

// A rectangle on a drawing surface, in pixels.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The drawing surface of a picture box: it holds what is drawn on it until it is cleared.
class Surface {
public:
    virtual ~Surface() = default;
    // Clears to the box's background colour.
    virtual void clear() = 0;
    // Shows what was drawn at the next repaint.
    virtual void refresh() = 0;
    // Draws `from` of `source` into `to` here, stretched or squeezed to fit, and shows it at the
    // next repaint. False when nothing could be drawn.
    virtual bool draw(const Surface& source, PixelRect from, PixelRect to) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // The window. Opacity runs from 0 (invisible) to 255 (opaque); false when the window cannot
    // be made translucent. Minimising may be refused by the desktop, quietly.
    virtual bool setWindowOpacity(std::uint8_t alpha) = 0;
    virtual void minimiseWindow() = 0;
    virtual ScreenMetrics screen() = 0;
    // Whether the desktop asks programs for less movement, a setting people with vestibular
    // disorders, migraine or attention difficulties turn on. False until the desktop has said so,
    // and where it cannot say; it may change at any time while the program runs.
    virtual bool motionReduced() = 0;

    // A modal message box: returns the button pressed (vbOK, vbYes, vbNo), or 0 when no box could
    // be shown. The event loop runs while it waits. An empty title means the program's own.
    virtual int messageBox(std::string_view prompt, int flags, std::string_view title) = 0;

    // Ends the program at once; nothing of the program runs after it.
    virtual void endProgram(int exitStatus) = 0;

    // The host name, through the network library, which is started before and stopped after.
    // hostName() and stopNetwork() return 0 or an error number.
    virtual NetworkLibrary startNetwork() = 0;
    virtual int hostName(std::string& name) = 0;
    virtual int stopNetwork() = 0;

    // Available physical memory in bytes; nothing when the figure cannot be read.
    virtual std::optional<std::uint64_t> availableMemory() = 0;

    // The drawing surface of a picture box; nullptr when it has none (yet).
    virtual Surface* surface(const Control& pictureBox) = 0;
};

} // namespace gd
