#include "qt/display.h"

#include <QDir>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace gd {

namespace {

bool unixSocketReachable(const std::string& path)
{
    sockaddr_un address {};
    if (path.size() >= sizeof address.sun_path)
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    const bool reachable = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return reachable;
}

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
    const std::string number
        = d.substr(1, d.find('.') == std::string::npos ? std::string::npos : d.find('.') - 1);
    return unixSocketReachable("/tmp/.X11-unix/X" + number);
}

// A Wayland display is a socket named by WAYLAND_DISPLAY, inside XDG_RUNTIME_DIR unless the name
// is an absolute path; a compositor that handed over a connected socket (WAYLAND_SOCKET) is
// trusted as it is.
bool waylandDisplayReachable()
{
    const char* socketFd = std::getenv("WAYLAND_SOCKET");
    if (socketFd && *socketFd)
        return true;
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name)
        return false;
    if (name[0] == '/')
        return unixSocketReachable(name);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime && unixSocketReachable(std::string(runtime) + "/" + name);
}

// Qt's Wayland platform plugin is a package of its own (qt6-wayland); without it Qt aborts.
bool waylandPluginInstalled()
{
    QStringList folders { QLibraryInfo::path(QLibraryInfo::PluginsPath) };
    const QByteArray extra = qgetenv("QT_PLUGIN_PATH");
    for (const QByteArray& folder : extra.split(':'))
        if (!folder.isEmpty())
            folders << QString::fromLocal8Bit(folder);
    for (const QString& folder : folders)
        if (!QDir(folder + QStringLiteral("/platforms"))
                 .entryList({ QStringLiteral("libqwayland-*.so") }, QDir::Files)
                 .isEmpty())
            return true;
    return false;
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
    if (x && xDisplayReachable(x)) {
        // Under Wayland, Qt would pick its Wayland plugin, where a window can neither place
        // itself nor be faded by the window system; XWayland gives both.
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return true;
    }
    if (waylandDisplayReachable()) {
        if (waylandPluginInstalled()) {
            setenv("QT_QPA_PLATFORM", "wayland", 1);
            return true;
        }
        std::fputs("Glimmerdeck found a Wayland display but no X display, and Qt's Wayland "
                   "platform plugin (the qt6-wayland package) is not installed.\n",
            stderr);
        return false;
    }
    std::fputs("Glimmerdeck needs a graphical display, and none was found (DISPLAY and "
               "WAYLAND_DISPLAY are unset or unreachable).\n",
        stderr);
    return false;
}

} // namespace gd
