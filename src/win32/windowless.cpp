#include "win32/views.h"

#include "win32/conversions.h"
#include "win32/drawing.h"
#include "win32/form_window.h"
#include "win32/text.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace gd {

// ---- Label -----------------------------------------------------------------------------------

void LabelView::apply(Prop prop)
{
    if (prop == Prop::Caption || prop == Prop::Font || prop == Prop::Geometry)
        m_laidOut = false;
    if (prop == Prop::Geometry || prop == Prop::Visible)
        View::apply(prop);
    else
        repaint(m_rect);
}

// Opaque or transparent, the caption wrapped at word boundaries within the label's width and
// clipped to its height. A frame label ("_", "X") shows the keyboard focus as a dotted frame.
void LabelView::paint(HDC dc)
{
    const RECT r = toRECT(m_rect);
    if (!m_control.desc().transparent)
        fill(dc, r, toColorRef(m_control.backColor()));
    const Typeface& face = typeface();
    if (!std::exchange(m_laidOut, true))
        m_lines = captionLines(face, m_control.caption(), m_rect.width);
    // A transparent label shows its container's colour behind its text.
    const Control* holder = m_container.self();
    const Colour back = !m_control.desc().transparent ? m_control.backColor()
        : holder                                      ? holder->backColor()
                                                      : kForm.backColor;
    const COLORREF text = textOver(m_control.foreColor(), back);
    SetTextColor(dc, text);
    drawLines(dc, face, m_lines, r, m_control.desc().alignment == Align::Center);
    if (window().showsFocusOn(m_control))
        focusFrame(dc, r, text, 0);
}

// ---- Image, Shape, Line ----------------------------------------------------------------------

ImageView::ImageView(Control& control, Container& container)
    : View(control, container)
    , m_picture(control.desc().picture)
{
}

void ImageView::apply(Prop prop)
{
    View::apply(prop);
    if (prop != Prop::Geometry)
        return;
    // An image that is not stretched takes the size of its picture.
    if (!m_control.desc().stretch) {
        const PictureSize size = m_picture.sizeAt(window().pictureScale());
        if (size.width > 0 && size.height > 0) {
            const PixelRect was = m_rect;
            const PixelPoint at = scale().point(m_control.left(), m_control.top());
            m_rect = { at.x, at.y, size.width, size.height };
            repaint(was);
            repaint(m_rect);
        }
    }
    const std::string_view tip = m_control.desc().toolTip;
    if (tip.empty())
        return;
    TOOLINFOW tool {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_container.clientWindow();
    tool.uId = m_control.index();
    tool.rect = toRECT(m_rect);
    if (!m_tips) {
        m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT, tool.hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        std::wstring text = toWide(tip);
        tool.lpszText = text.data();
        SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageW(m_tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void ImageView::paint(HDC dc)
{
    const Bitmap& picture = m_picture.bitmap();
    if (!picture)
        return;
    if (m_control.desc().stretch) {
        // Scaled once per size, not on every repaint of what lies over the picture.
        if (!m_scaled || m_scaled.size() != PictureSize { m_rect.width, m_rect.height })
            m_scaled = scaledBitmap(picture, { m_rect.width, m_rect.height });
        drawBitmap(dc, m_rect.x, m_rect.y, m_scaled);
    } else {
        drawBitmap(dc, m_rect.x, m_rect.y, m_picture.at(window().pictureScale()));
    }
}

// A rounded rectangle: its outline in the fore colour, filled with the back colour where it has
// one (an opaque fill), its corners an eighth of its shorter side round.
void ShapeView::paint(HDC dc)
{
    const PixelRect r = m_rect;
    const int diameter = std::min(r.width, r.height) / 4;
    const bool filled = m_control.backColor() != kUnset;
    Selected withPen(dc, GetStockObject(DC_PEN));
    Selected withBrush(dc, GetStockObject(filled ? DC_BRUSH : NULL_BRUSH));
    SetDCPenColor(dc, toColorRef(m_control.foreColor()));
    if (filled)
        SetDCBrushColor(dc, toColorRef(m_control.backColor()));
    RoundRect(dc, r.x, r.y, r.x + r.width, r.y + r.height, diameter, diameter);
}

// A line's geometry is its two end points; its rectangle is the box around them.
void LineView::apply(Prop prop)
{
    if (prop != Prop::Geometry) {
        View::apply(prop);
        return;
    }
    const PixelRect was = m_rect;
    const LineBox line = lineBox(m_control, scale());
    m_rect = line.box;
    m_from = line.from;
    m_to = line.to;
    repaint(was);
    repaint(m_rect);
}

void LineView::paint(HDC dc)
{
    const COLORREF colour = toColorRef(m_control.foreColor());
    Selected withPen(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, colour);
    MoveToEx(dc, m_rect.x + m_from.x, m_rect.y + m_from.y, nullptr);
    LineTo(dc, m_rect.x + m_to.x, m_rect.y + m_to.y);
    SetPixelV(dc, m_rect.x + m_to.x, m_rect.y + m_to.y, colour); // both ends are the line's
}

} // namespace gd
