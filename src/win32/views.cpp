#include "win32/views.h"

#include "win32/fonts.h"
#include "win32/form_window.h"

#include <algorithm>

namespace gd {

// ---- View ------------------------------------------------------------------------------------

View::View(Control& control, Container& container)
    : m_control(control)
    , m_container(container)
{
}

FormWindow& View::window() const { return m_container.window(); }
const Scale& View::scale() const { return window().scale(); }

const Typeface& View::typeface() const
{
    return window().fonts().get(m_control.fontName(), m_control.fontSize(), m_control.fontBold());
}

PixelRect View::modelRect() const
{
    return scale().rect(m_control.left(), m_control.top(), m_control.width(), m_control.height());
}

void View::repaint(const PixelRect& area) const { m_container.invalidate(area); }

void View::apply(Prop prop)
{
    const HWND own = hwnd();
    switch (prop) {
    case Prop::Geometry: {
        const PixelRect was = m_rect;
        m_rect = modelRect();
        if (own) {
            SetWindowPos(own, nullptr, m_rect.x, m_rect.y, m_rect.width, m_rect.height,
                SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            // Where it was and where it is, in one: the ticker's steps overlap.
            const int left = std::min(was.x, m_rect.x), top = std::min(was.y, m_rect.y);
            const int right = std::max(was.x + was.width, m_rect.x + m_rect.width);
            const int bottom = std::max(was.y + was.height, m_rect.y + m_rect.height);
            repaint(was.width > 0 ? PixelRect { left, top, right - left, bottom - top } : m_rect);
        }
        break;
    }
    case Prop::Visible:
        if (own)
            ShowWindow(own, m_control.visible() ? SW_SHOWNA : SW_HIDE);
        else
            repaint(m_rect);
        break;
    case Prop::Enabled:
        if (own)
            EnableWindow(own, m_control.enabled());
        else
            repaint(m_rect);
        break;
    case Prop::Font:
        if (own)
            SendMessageW(own, WM_SETFONT, reinterpret_cast<WPARAM>(typeface().font), TRUE);
        else
            repaint(m_rect);
        break;
    default:
        if (!own)
            repaint(m_rect);
        break;
    }
}

View* makeView(Control& control, Container& container)
{
    switch (control.kind()) {
    case Kind::PictureBox: return new PictureBoxView(control, container);
    case Kind::Label: return new LabelView(control, container);
    case Kind::TextBox: return new TextBoxView(control, container);
    case Kind::CommandButton: return new ButtonView(control, container);
    case Kind::Image: return new ImageView(control, container);
    case Kind::Shape: return new ShapeView(control, container);
    case Kind::Line: return new LineView(control, container);
    case Kind::Timer: break;
    }
    return nullptr;
}

} // namespace gd
