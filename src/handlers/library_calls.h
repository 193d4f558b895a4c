#pragma once

// The system library calls the tutorials' listings make, as thin functions over the platform, so
// that the handlers read like the code they teach. Each keeps the listing's name, argument order
// and result; what lies beneath is the program's own narrow platform (model/platform.h).

#include "model/platform.h"

#include <cstdint>

namespace gd {

class Form1;

// ---- Window style and opacity ----------------------------------------------------------------

constexpr std::int32_t GWL_EXSTYLE = -20;
constexpr std::int32_t WS_EX_LAYERED = 0x80000;
constexpr std::int32_t LWA_COLORKEY = 0x1;
constexpr std::int32_t LWA_ALPHA = 0x2;

// The window's extended style; only GWL_EXSTYLE is kept, every other index reads 0.
std::int32_t GetWindowLongA(Form1& hWnd, std::int32_t nIndex);
// Returns the style it replaced.
std::int32_t SetWindowLongA(Form1& hWnd, std::int32_t nIndex, std::int32_t dwNewLong);
// Whole-window opacity, for a layered window only and with LWA_ALPHA; 0 when nothing was set.
std::int32_t SetLayeredWindowAttributes(
    Form1& hWnd, std::uint32_t crKey, std::uint8_t bAlpha, std::int32_t dwFlags);

// ---- Block copies between drawing surfaces ---------------------------------------------------

constexpr std::int32_t SRCCOPY = 0xCC0020;

using HDC = Surface*;

// Copy with stretching; 0 when nothing was drawn.
std::int32_t StretchBlt(HDC hdcDest, int x, int y, int nWidth, int nHeight, HDC hdcSrc, int xSrc,
    int ySrc, int nSrcWidth, int nSrcHeight, std::int32_t dwRop);
// Copy at the same size; 0 when nothing was drawn.
std::int32_t BitBlt(HDC hdcDest, int x, int y, int nWidth, int nHeight, HDC hdcSrc, int xSrc,
    int ySrc, std::int32_t dwRop);

// ---- The socket library ----------------------------------------------------------------------

// What the socket library's start-up reports; only these two fields are read.
struct WSAData {
    std::uint16_t wVersion = 0;
    std::int16_t iMaxSockets = 0;
};

int WSAStartup(Form1& me, std::uint16_t wVersionRequired, WSAData& lpWSAData);
// Fills `name` with the host name, NUL-terminated when it fits; -1 on failure.
int gethostname(Form1& me, char* name, int namelen);
int WSAGetLastError(Form1& me);
int WSACleanup(Form1& me);

// ---- Message boxes -----------------------------------------------------------------------------

int MsgBox(Form1& me, std::string_view prompt, int buttons, std::string_view title = {});

} // namespace gd
