#include "qt/qt_platform.h"

#include "qt/form_window.h"
#include "qt/window_alpha.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>
#include <unistd.h>
#include <utility>

namespace gd {

namespace {

// One side of the screen in its own pixels. Qt gives it in device-independent pixels, each `ratio`
// device pixels across, rounded to whole ones (1024 at 1.25 becomes 819, 2560 at 1.5 becomes
// 1707): of the sides that round to `side`, the even one nearest to side x ratio is taken, since
// screens have even sides. Up to a ratio of 2 at most two sides round alike, one of them even.
int devicePixels(int side, qreal ratio)
{
    const qreal exact = side * ratio;
    const auto guess = [exact](int n) { return std::pair(n % 2 != 0, std::abs(n - exact)); };
    int best = qRound(exact);
    for (int n = int(std::floor(exact - ratio)); n <= int(std::ceil(exact + ratio)); ++n)
        if (qRound(n / ratio) == side && guess(n) < guess(best))
            best = n;
    return best;
}

} // namespace

QtPlatform::QtPlatform(TickScheduler::Clock clock)
    : m_reading(std::move(clock))
{
}

bool QtPlatform::setWindowOpacity(std::uint8_t alpha)
{
    if (!m_window)
        return false;
    // Set from the integer alpha every time: reading Qt's opacity back and adding to it would
    // stall, since Qt stores it rounded down to 1/255.
    // Nothing here may run the event loop (QGuiApplication::sync() would): a timer due meanwhile
    // would tick again inside the handler that called us, and the fade would run past its end.
    // The event loop sends the change to the window system when it next goes idle.
    if (platformHasWindowOpacity())
        m_window->setWindowOpacity(alpha / 255.0);
    else
        showWindowAlpha(m_window, alpha); // Wayland: no window opacity, so the pixels fade
    return true;
}

void QtPlatform::minimiseWindow()
{
    if (m_window)
        m_window->showMinimized();
}

double QtPlatform::screenTwipsPerPixel()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 0.0;
}

ScreenMetrics QtPlatform::screen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // The size counts the screen's own pixels, also under a Qt scale factor (QT_SCALE_FACTOR, or
    // the density that Xft.dpi announces); the twips per pixel stay those of the
    // device-independent pixels, which the window and its drawing surfaces are laid out in.
    const double tpp = screenTwipsPerPixel();
    const qreal ratio = screen->devicePixelRatio();
    return { devicePixels(screen->geometry().width(), ratio) * tpp,
        devicePixels(screen->geometry().height(), ratio) * tpp, tpp, tpp };
}

int QtPlatform::messageBox(std::string_view prompt, int flags, std::string_view title)
{
    QMessageBox box(m_window && m_window->isVisible() ? m_window : nullptr);
    box.setWindowTitle(title.empty() ? QStringLiteral("Glimmerdeck") : toQString(title));
    box.setText(toQString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (flags & vbQuestion)
        box.setIcon(QMessageBox::Question);
    else if (flags & vbInformation)
        box.setIcon(QMessageBox::Information);
    else if ((flags & 0x70) == vbCritical)
        box.setIcon(QMessageBox::Critical);
    if ((flags & 0x7) == vbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // exec() runs its own event loop, so the timers keep ticking while the question waits.
    const int answer = box.exec();
    if ((flags & 0x7) == vbYesNo)
        return answer == QMessageBox::Yes ? vbYes : vbNo;
    return vbOK;
}

void QtPlatform::endProgram(int exitStatus)
{
    m_exitStatus = exitStatus;
    if (m_window) {
        m_window->stopTimers();
        m_window->hide();
    }
    QCoreApplication::exit(exitStatus);
}

// The socket library needs no start-up here; it answers like a 1.1 library that is ready.
NetworkLibrary QtPlatform::startNetwork() { return { 0, 0x0101, 32767 }; }

int QtPlatform::hostName(std::string& name)
{
    char buffer[256];
    if (::gethostname(buffer, sizeof buffer) != 0)
        return errno;
    // POSIX leaves a name that does not fit unterminated.
    name.assign(buffer, strnlen(buffer, sizeof buffer));
    return 0;
}

int QtPlatform::stopNetwork() { return 0; }

// The kernel writes its figures afresh for each read: owed ticks share one reading.
std::optional<std::uint64_t> QtPlatform::availableMemory()
{
    return m_reading.get([this] { return m_memory.read(); });
}

Surface* QtPlatform::surface(const Control& pictureBox)
{
    return m_window ? m_window->surface(pictureBox) : nullptr;
}

} // namespace gd
