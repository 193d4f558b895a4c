#include "win32/views.h"

#include "core/window_core.h"
#include "win32/conversions.h"
#include "win32/drawing.h"
#include "win32/form_window.h"

#include <algorithm>

namespace gd {

// ---- PictureBox ------------------------------------------------------------------------------

PictureBoxView::PictureBoxView(Control& control, Container& container)
    : View(control, container)
    , Container(container.window(), &control)
    , m_picture(control.desc().picture)
{
    WNDCLASSEXW windowClass {};
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    m_rect = modelRect();
    create(windowClass, 0, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, L"", toRECT(m_rect),
        container.clientWindow());
}

int PictureBoxView::borderWidth() const
{
    switch (m_control.desc().border) {
    case Border::Sunken: return 2;
    case Border::Flat: return 1;
    case Border::None: return 0;
    }
    return 0;
}

void PictureBoxView::apply(Prop prop)
{
    const PixelRect was = m_rect;
    View::apply(prop);
    if (prop == Prop::Colours)
        InvalidateRect(hwnd(), nullptr, FALSE);
    // A surface has the box's size: at a new size it is made anew when next drawn on.
    if (m_surface && (was.width != m_rect.width || was.height != m_rect.height)) {
        m_surfaceDC = MemoryDC();
        m_surface = Bitmap();
    }
}

HDC PictureBoxView::surfaceDC()
{
    if (!m_surface) {
        m_surface = Bitmap({ std::max(1, m_rect.width), std::max(1, m_rect.height) });
        m_surfaceDC = MemoryDC(m_surface.handle());
        drawBackground(m_surfaceDC.get(), { 0, 0, m_rect.width, m_rect.height });
    }
    return m_surfaceDC.get();
}

void PictureBoxView::clear()
{
    const RECT all { 0, 0, m_rect.width, m_rect.height };
    fill(surfaceDC(), all, toColorRef(m_control.backColor()));
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureBoxView::refresh() { InvalidateRect(hwnd(), nullptr, FALSE); } // with the next frame

// The tutorial's own copies: StretchBlt where the sizes differ, BitBlt where they are the same,
// both SRCCOPY, between the picture boxes' device contexts.
bool PictureBoxView::draw(const Surface& source, PixelRect from, PixelRect to)
{
    // Every surface of this window is a picture box's.
    HDC sourceDC
        = const_cast<PictureBoxView&>(static_cast<const PictureBoxView&>(source)).surfaceDC();
    HDC dc = surfaceDC();
    BOOL drawn;
    if (from.width == to.width && from.height == to.height) {
        drawn = ::BitBlt(dc, to.x, to.y, to.width, to.height, sourceDC, from.x, from.y, SRCCOPY);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        drawn = ::StretchBlt(dc, to.x, to.y, to.width, to.height, sourceDC, from.x, from.y,
            from.width, from.height, SRCCOPY);
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
    return drawn != FALSE;
}

void PictureBoxView::paintBorder()
{
    const int width = borderWidth();
    if (width == 0)
        return;
    HDC dc = GetWindowDC(hwnd());
    if (!dc)
        return;
    RECT frame {};
    GetWindowRect(hwnd(), &frame);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    if (width == 1) {
        const COLORREF line = GetSysColor(COLOR_WINDOWTEXT);
        fill(dc, { 0, 0, w, 1 }, line);
        fill(dc, { 0, h - 1, w, h }, line);
        fill(dc, { 0, 0, 1, h }, line);
        fill(dc, { w - 1, 0, w, h }, line);
    } else {
        sunkenBorder(
            dc, w, h, width, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    ReleaseDC(hwnd(), dc);
}

// The box's colour, and its picture from the top left corner.
void PictureBoxView::drawBackground(HDC dc, const RECT& area) const
{
    fill(dc, area, toColorRef(m_control.backColor()));
    drawBitmap(dc, 0, 0, m_picture.at(View::window().pictureScale()));
}

// What was drawn on the surface, or else the background, and the windowless controls on it.
void PictureBoxView::paint()
{
    paintClient([this](HDC dc, const RECT& area) {
        if (m_surface) {
            // The surface has the box's outer size, from the client area's corner. (Its bitmap
            // is selected into its own DC, and a bitmap goes into one DC at a time.)
            BitBlt(dc, 0, 0, m_rect.width, m_rect.height, m_surfaceDC.get(), 0, 0, SRCCOPY);
        } else {
            drawBackground(dc, area);
        }
    });
}

LRESULT PictureBoxView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_NCCALCSIZE: {
        // The border lies outside the client area, which clips what the box holds.
        RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : reinterpret_cast<RECT*>(lParam);
        InflateRect(client, -borderWidth(), -borderWidth());
        return 0;
    }
    case WM_NCPAINT: paintBorder(); return 0;
    case WM_NCHITTEST: {
        const LRESULT hit = defaultHandling(message, wParam, lParam);
        return hit == HTCLIENT ? HTCLIENT : HTBORDER;
    }
    // Over the border nothing happens, and a press there is no click of anything.
    case WM_NCMOUSEMOVE: return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        Container::window().mousePressed();
        Container::window().core().presses().press(nullptr);
        return 0;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP: return 0;
    case WM_ERASEBKGND: return 1; // WM_PAINT fills every pixel
    case WM_PAINT: paint(); return 0;
    default:
        if (containerMessage(message, wParam, lParam, result))
            return result;
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace gd
