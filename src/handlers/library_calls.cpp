#include "handlers/library_calls.h"

#include "model/form.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace gd {

std::int32_t GetWindowLongA(Form1& hWnd, std::int32_t nIndex)
{
    return nIndex == GWL_EXSTYLE ? hWnd.exStyle : 0;
}

std::int32_t SetWindowLongA(Form1& hWnd, std::int32_t nIndex, std::int32_t dwNewLong)
{
    return nIndex == GWL_EXSTYLE ? std::exchange(hWnd.exStyle, dwNewLong) : 0;
}

std::int32_t SetLayeredWindowAttributes(
    Form1& hWnd, std::uint32_t, std::uint8_t bAlpha, std::int32_t dwFlags)
{
    if (!(hWnd.exStyle & WS_EX_LAYERED) || !(dwFlags & LWA_ALPHA))
        return 0;
    return hWnd.platform().setWindowOpacity(bAlpha) ? 1 : 0;
}

std::int32_t StretchBlt(HDC hdcDest, int x, int y, int nWidth, int nHeight, HDC hdcSrc, int xSrc,
    int ySrc, int nSrcWidth, int nSrcHeight, std::int32_t dwRop)
{
    if (!hdcDest || !hdcSrc || dwRop != SRCCOPY)
        return 0;
    if (nWidth == 0 || nHeight == 0 || nSrcWidth == 0 || nSrcHeight == 0)
        return 1; // nothing to draw
    return hdcDest->draw(*hdcSrc, { xSrc, ySrc, nSrcWidth, nSrcHeight }, { x, y, nWidth, nHeight });
}

std::int32_t BitBlt(HDC hdcDest, int x, int y, int nWidth, int nHeight, HDC hdcSrc, int xSrc,
    int ySrc, std::int32_t dwRop)
{
    if (!hdcDest || !hdcSrc || dwRop != SRCCOPY)
        return 0;
    return hdcDest->draw(*hdcSrc, { xSrc, ySrc, nWidth, nHeight }, { x, y, nWidth, nHeight });
}

namespace {

// The socket library keeps its last error per thread; so does this.
thread_local int t_lastError = 0;

} // namespace

int WSAStartup(Form1& me, std::uint16_t, WSAData& lpWSAData)
{
    const NetworkLibrary library = me.platform().startNetwork();
    lpWSAData.wVersion = library.version;
    lpWSAData.iMaxSockets = library.maxSockets;
    return library.error;
}

int gethostname(Form1& me, char* name, int namelen)
{
    std::string host;
    if (namelen <= 0 || (t_lastError = me.platform().hostName(host)) != 0)
        return -1;
    // A name that does not fit is cut at the buffer's end, without a terminating NUL.
    const std::size_t n = std::min(host.size() + 1, std::size_t(namelen));
    std::memcpy(name, host.c_str(), n);
    return 0;
}

int WSAGetLastError(Form1&) { return t_lastError; }

int WSACleanup(Form1& me) { return me.platform().stopNetwork(); }

int MsgBox(Form1& me, std::string_view prompt, int buttons, std::string_view title)
{
    return me.platform().messageBox(prompt, buttons, title);
}

} // namespace gd
