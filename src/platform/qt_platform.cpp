#include "platform/qt_platform.h"

#include "window/form_window.h"
#include "window/window_alpha.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>

#include <cerrno>
#include <fcntl.h>
#include <sys/sysinfo.h>
#include <string>
#include <unistd.h>

namespace gd {

namespace {

constexpr int vbCritical = 16;

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform()
{
    if (m_meminfo >= 0)
        ::close(m_meminfo);
}

// The layered bit only records that the window may be translucent; Qt windows always may.
std::int32_t QtPlatform::GetWindowLongA(std::int32_t index)
{
    return index == GWL_EXSTYLE ? m_exStyle : 0;
}

std::int32_t QtPlatform::SetWindowLongA(std::int32_t index, std::int32_t style)
{
    if (index != GWL_EXSTYLE)
        return 0;
    return std::exchange(m_exStyle, style);
}

std::int32_t QtPlatform::SetLayeredWindowAttributes(std::uint32_t, std::uint8_t bAlpha,
    std::int32_t dwFlags)
{
    if (!m_window || !(m_exStyle & WS_EX_LAYERED) || !(dwFlags & LWA_ALPHA))
        return 0;
    // Set from the integer alpha every time: reading Qt's opacity back and adding to it would
    // stall, since Qt stores it rounded down to 1/255.
    // Nothing here may run the event loop (QGuiApplication::sync() would): a timer due meanwhile
    // would tick again inside the handler that called us, and the fade would run past its end.
    // The event loop sends the change to the window system when it next goes idle.
    if (platformHasWindowOpacity())
        m_window->setWindowOpacity(bAlpha / 255.0);
    else
        showWindowAlpha(m_window, bAlpha); // Wayland: no window opacity, so the pixels fade
    return 1;
}

void QtPlatform::setWindowState(int state)
{
    if (m_window && state == 1)
        m_window->showMinimized();
}

double QtPlatform::screenTwipsPerPixel()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 0.0;
}

double QtPlatform::twipsPerPixelX() { return screenTwipsPerPixel(); }
double QtPlatform::twipsPerPixelY() { return screenTwipsPerPixel(); }

double QtPlatform::screenWidth()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() * screenTwipsPerPixel() : 0;
}

double QtPlatform::screenHeight()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() * screenTwipsPerPixel() : 0;
}

int QtPlatform::MsgBox(const std::string& prompt, int flags, const std::string& title)
{
    QMessageBox box(m_window && m_window->isVisible() ? m_window : nullptr);
    box.setWindowTitle(title.empty() ? QStringLiteral("Glimmerdeck") : latin1(title));
    box.setText(latin1(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
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
    return 1;
}

void QtPlatform::End(int exitStatus)
{
    m_exitStatus = exitStatus;
    if (m_window) {
        m_window->stopTimers();
        m_window->hide();
    }
    QCoreApplication::exit(exitStatus);
}

// The socket library needs no start-up here; it answers like a 1.1 library that is ready.
int QtPlatform::WSAStartup(std::uint16_t, WSAData& data)
{
    data.wVersion = 0x0101;
    data.iMaxSockets = 32767;
    return 0;
}

int QtPlatform::gethostname(char* name, int namelen)
{
    if (namelen <= 0)
        return -1;
    if (::gethostname(name, static_cast<size_t>(namelen)) != 0) {
        m_lastError = errno;
        return -1;
    }
    return 0;
}

int QtPlatform::WSAGetLastError() { return m_lastError; }

int QtPlatform::WSACleanup() { return 0; }

bool QtPlatform::parseMemAvailable(std::string_view meminfo, std::uint64_t& bytes)
{
    constexpr std::string_view line = "\nMemAvailable:";
    constexpr std::string_view key = line.substr(1);
    std::size_t at = meminfo.starts_with(key) ? 0 : meminfo.find(line);
    if (at == std::string_view::npos)
        return false;
    if (meminfo[at] == '\n')
        ++at;
    at = meminfo.find_first_not_of(' ', at + key.size());
    std::uint64_t kib = 0;
    bool digits = false;
    constexpr std::uint64_t most = ~0ull >> 10; // kibibytes whose bytes fit in 64 bits
    for (; at < meminfo.size() && meminfo[at] >= '0' && meminfo[at] <= '9'; ++at, digits = true) {
        const std::uint64_t digit = std::uint64_t(meminfo[at] - '0');
        if (kib > (most - digit) / 10)
            return false;
        kib = kib * 10 + digit;
    }
    if (!digits)
        return false;
    bytes = kib * 1024;
    return true;
}

// The readout asks twenty times a second, so the file stays open and is read again from the
// start each time (which makes the kernel write it afresh); no opening, no allocation.
// MemAvailable is the kernel's own estimate of what can be had without swapping (free memory
// plus the page cache and slab it can reclaim). Some containers and sandboxes hide
// /proc/meminfo, and kernels before 3.14 lack the line: then sysinfo(2) answers.
std::optional<std::uint64_t> QtPlatform::availablePhysicalMemory()
{
    if (m_meminfo < 0)
        m_meminfo = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    char text[1024]; // MemAvailable is the third line
    const ssize_t n = m_meminfo < 0 ? -1 : ::pread(m_meminfo, text, sizeof text, 0);
    std::uint64_t bytes = 0;
    if (n > 0 && parseMemAvailable(std::string_view(text, std::size_t(n)), bytes))
        return bytes;
    return sysinfoAvailable();
}

std::optional<std::uint64_t> QtPlatform::sysinfoAvailable()
{
    struct sysinfo info {};
    if (::sysinfo(&info) != 0)
        return std::nullopt;
    return sysinfoAvailable(info.freeram, info.bufferram, info.mem_unit);
}

// sysinfo(2) has no page cache figure, so this undercounts MemAvailable by the reclaimable cache;
// it never promises memory that is not there. Buffers (block-device cache) are dropped at once
// under pressure, so they count. sharedram (tmpfs and shared memory) does not: it lives in the
// page cache and cannot be dropped, only swapped. Sizes are in units of mem_unit bytes.
std::optional<std::uint64_t> QtPlatform::sysinfoAvailable(std::uint64_t freeram,
    std::uint64_t bufferram, std::uint32_t memUnit)
{
    std::uint64_t units = 0, bytes = 0;
    if (__builtin_add_overflow(freeram, bufferram, &units)
        || __builtin_mul_overflow(units, std::uint64_t(memUnit ? memUnit : 1), &bytes))
        return std::nullopt;
    return bytes;
}

namespace {

PictureBoxView* boxFor(FormWindow* window, HDC handle)
{
    if (!window || handle <= 0 || handle > static_cast<HDC>(window->form().controls().size()))
        return nullptr;
    Control& c = window->form().controls()[static_cast<std::size_t>(handle - 1)];
    return dynamic_cast<PictureBoxView*>(window->view(c));
}

} // namespace

// A device context is the picture box's place in the description, counted from 1.
HDC QtPlatform::hDC(Control& pictureBox)
{
    return pictureBox.kind() == Kind::PictureBox ? pictureBox.index() + 1 : 0;
}

void QtPlatform::Cls(Control& pictureBox)
{
    if (auto* box = boxFor(m_window, hDC(pictureBox))) {
        box->clearSurface();
        box->clientArea()->update();
    }
}

void QtPlatform::Refresh(Control& pictureBox)
{
    if (auto* box = boxFor(m_window, hDC(pictureBox)))
        box->clientArea()->update(); // painted with the next frame, not synchronously
}

std::int32_t QtPlatform::StretchBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src,
    int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, std::int32_t dwRop)
{
    PictureBoxView* to = boxFor(m_window, dest);
    PictureBoxView* from = boxFor(m_window, src);
    if (!to || !from || dwRop != SRCCOPY)
        return 0;
    if (nWidth == 0 || nHeight == 0 || nSrcWidth == 0 || nSrcHeight == 0)
        return 1; // nothing to draw
    const QImage source = from->surface().copy(xSrc, ySrc, nSrcWidth, nSrcHeight);
    QPainter p(&to->surface());
    p.drawImage(QRect(x, y, nWidth, nHeight), source);
    return 1;
}

std::int32_t QtPlatform::BitBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src,
    int xSrc, int ySrc, std::int32_t dwRop)
{
    PictureBoxView* to = boxFor(m_window, dest);
    PictureBoxView* from = boxFor(m_window, src);
    if (!to || !from || dwRop != SRCCOPY)
        return 0;
    QPainter p(&to->surface());
    p.drawImage(QPoint(x, y), from->surface(), QRect(xSrc, ySrc, nWidth, nHeight));
    to->clientArea()->update();
    return 1;
}

} // namespace gd
