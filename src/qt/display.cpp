#include "qt/display.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace gd {

namespace {

// A local X display ":N" listens on /tmp/.X11-unix/XN. A stale socket file is left behind when
// a server dies, and Qt aborts when it cannot connect, so try the connection itself. Remote
// displays ("host:N") are left to Qt.
bool xDisplayReachable(const char* display)
{
    const std::string d(display);
    if (d.empty())
        return false;
    if (d[0] != ':')
        return true;
    const std::string number = d.substr(1, d.find('.') == std::string::npos ? std::string::npos : d.find('.') - 1);
    const std::string path = "/tmp/.X11-unix/X" + number;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    const bool reachable = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return reachable;
}

} // namespace

bool prepareDisplay(std::string_view platformOption, std::string_view displayOption)
{
    if (!platformOption.empty())
        return true; // chosen on the command line: Qt reads it there
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true; // chosen by the user (or a test): leave it to Qt
    if (!displayOption.empty()) {
        // The user named the X server: that one or none, even in a Wayland session.
        if (xDisplayReachable(std::string(displayOption).c_str())) {
            setenv("QT_QPA_PLATFORM", "xcb", 1);
            return true;
        }
        std::fprintf(stderr,
            "Glimmerdeck needs a graphical display, and the X display '%s' named with -display "
            "is unreachable.\n",
            std::string(displayOption).c_str());
        return false;
    }
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool haveX = x && xDisplayReachable(x);
    if (haveX) {
        // Under Wayland, Qt would pick its Wayland plugin, where a window can neither place
        // itself nor fade; XWayland gives both.
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return true;
    }
    if (wayland && *wayland)
        return true;
    std::fputs("Glimmerdeck needs a graphical display, and none was found (DISPLAY and "
               "WAYLAND_DISPLAY are unset or unreachable).\n",
        stderr);
    return false;
}

} // namespace gd
