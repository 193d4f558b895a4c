#include "win32/views.h"

#include "core/clicks.h"
#include "core/window_core.h"
#include "win32/accessibility.h"
#include "win32/conversions.h"
#include "win32/drawing.h"
#include "win32/form_window.h"

#include <windowsx.h>

#include <algorithm>

namespace gd {

// ---- PaintBuffer -----------------------------------------------------------------------------

HDC PaintBuffer::atLeast(PixelSize size)
{
    const PictureSize had = m_bitmap.size();
    if (had.width < size.width || had.height < size.height) {
        m_dc = MemoryDC();
        m_bitmap = Bitmap(
            { std::max({ 1, had.width, size.width }), std::max({ 1, had.height, size.height }) });
        if (m_bitmap)
            m_dc = MemoryDC(m_bitmap.handle());
    }
    return m_dc.get();
}

// ---- Container -------------------------------------------------------------------------------

PixelSize Container::clientSize() const
{
    RECT r {};
    GetClientRect(clientWindow(), &r);
    return { r.right - r.left, r.bottom - r.top };
}

// In the description's order, however late a view is built.
void Container::adopt(View& view)
{
    const auto at = std::find_if(m_views.begin(), m_views.end(),
        [&](const View* v) { return v->control().index() > view.control().index(); });
    m_views.insert(at, &view);
}

void Container::invalidate(const PixelRect& area) const
{
    if (area.width <= 0 || area.height <= 0)
        return;
    const RECT r = toRECT(area);
    InvalidateRect(clientWindow(), &r, FALSE);
}

void Container::paintClient(const std::function<void(HDC, const RECT&)>& background) const
{
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(clientWindow(), &ps);
    if (!screen)
        return;
    const RECT area = ps.rcPaint;
    const int w = area.right - area.left, h = area.bottom - area.top;
    HDC dc = m_window.paintBuffer().atLeast(clientSize());
    if (w > 0 && h > 0 && dc) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        background(dc, area);
        paintViews(dc, area);
        RestoreDC(dc, saved);
        BitBlt(screen, area.left, area.top, w, h, dc, area.left, area.top, SRCCOPY);
    }
    EndPaint(clientWindow(), &ps);
}

void Container::paintViews(HDC dc, const RECT& area) const
{
    // Listed front to back: drawn from the back.
    for (auto it = m_views.rbegin(); it != m_views.rend(); ++it) {
        View* view = *it;
        if (view->hwnd() || !view->control().visible() || !meets(view->rect(), area))
            continue;
        const int saved = SaveDC(dc);
        const PixelRect r = view->rect();
        IntersectClipRect(dc, r.x, r.y, r.x + r.width, r.y + r.height);
        view->paint(dc);
        RestoreDC(dc, saved);
    }
}

View* Container::windowlessAt(POINT at) const
{
    for (View* view : m_views)
        if (!view->hwnd() && view->takesMouse() && view->control().visible()
            && contains(view->rect(), at))
            return view;
    return nullptr;
}

Control* Container::under(POINT at) const
{
    View* view = windowlessAt(at);
    return view ? &view->control() : m_self;
}

bool Container::containerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_MOUSEMOVE: {
        const POINT at { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        m_window.mouseMoved(clientWindow(), at, under(at), wParam);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        m_window.mousePressed();
        Control* pressed = under({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        m_pressed = nullptr;
        // A press on a disabled control, or on the bare form, raises nothing.
        if (pressed && pressed == mouseReceiver(pressed)) {
            m_pressed = pressed;
            m_window.core().presses().press(pressed);
            SetCapture(clientWindow());
        }
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (GetCapture() == clientWindow())
            ReleaseCapture();
        Control* pressed = std::exchange(m_pressed, nullptr);
        if (!pressed)
            return true;
        const POINT at { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        const bool inside = pressed == m_self
            ? contains({ 0, 0, clientSize().width, clientSize().height }, at)
            : contains(m_window.viewOf(*pressed)->rect(), at);
        if (Control* clicked = m_window.core().presses().release(*pressed, inside))
            m_window.click(clicked->id());
        return true;
    }
    case WM_GETOBJECT: result = accessibleContainer(*this, wParam, lParam); return result != 0;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM: {
        const HWND from = message == WM_DRAWITEM
            ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem
            : reinterpret_cast<HWND>(lParam);
        View* view = m_window.viewOf(from);
        bool handled = false;
        if (view)
            result = view->reflected(message, wParam, lParam, handled);
        return handled;
    }
    default: return false;
    }
}

} // namespace gd
