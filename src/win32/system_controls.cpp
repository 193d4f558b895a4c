#include "win32/views.h"

#include "win32/accessibility.h"
#include "win32/conversions.h"
#include "win32/drawing.h"
#include "win32/form_window.h"
#include "win32/text.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vsstyle.h>

namespace gd {

// ---- The system's controls ------------------------------------------------------------------

SystemControlView::SystemControlView(
    Control& control, Container& container, const wchar_t* windowClass, DWORD style, DWORD exStyle)
    : View(control, container)
{
    m_rect = modelRect();
    m_hwnd = CreateWindowExW(exStyle, windowClass, L"",
        WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | style, m_rect.x, m_rect.y, m_rect.width,
        m_rect.height, container.clientWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

SystemControlView::~SystemControlView()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

// ---- CommandButton ---------------------------------------------------------------------------

// The button draws its face itself (WM_DRAWITEM), so that its caption wraps and stands as the
// labels' do, and its focus frame shows when the window's does.
ButtonView::ButtonView(Control& control, Container& container)
    : SystemControlView(control, container, L"BUTTON", BS_OWNERDRAW)
{
}

void ButtonView::apply(Prop prop)
{
    View::apply(prop);
    switch (prop) {
    case Prop::Caption:
    case Prop::Geometry:
    case Prop::Font: showCaption(); break;
    case Prop::Colours:
        m_face = GdiObject<HBRUSH>(CreateSolidBrush(toColorRef(m_control.backColor())));
        InvalidateRect(m_hwnd, nullptr, FALSE);
        break;
    default: break;
    }
}

// A caption wider than the button wraps onto a further line at a word boundary, where the Linux
// build's does. Captions carry no access keys: a literal & stays an ampersand.
void ButtonView::showCaption()
{
    const int margin = MulDiv(6, window().dpi(), 96);
    m_lines = captionLines(typeface(), m_control.caption(), m_rect.width - 2 * margin);
    // The window's text is what assistive technology reads: the caption as one line.
    std::wstring text;
    for (wchar_t c : toWide(m_control.caption()))
        text += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
    SetWindowTextW(m_hwnd, text.c_str());
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

LRESULT ButtonView::reflected(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            window().click(m_control.id());
        return 0;
    case WM_DRAWITEM: drawFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    default: handled = false; return 0;
    }
}

// A graphical button: its face in its own colour, a bevel only while it is pressed. A standard
// one: the desktop's own push button, through its visual style where one is on and else the
// classic face in the system's colours (which high contrast sets). The caption centred on either,
// and the focus frame once the keyboard has been used.
void ButtonView::drawFace(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool down = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;
    if (m_control.desc().graphical) {
        FillRect(dc, &r, m_face.get());
        if (down) {
            RECT edge = r;
            DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        }
    } else if (HTHEME theme = IsAppThemed() ? OpenThemeData(m_hwnd, L"BUTTON") : nullptr) {
        const int state = disabled ? PBS_DISABLED : down ? PBS_PRESSED : PBS_NORMAL;
        DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &r, nullptr);
        CloseThemeData(theme);
    } else {
        RECT face = r;
        DrawFrameControl(dc, &face, DFC_BUTTON,
            DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
    }
    // Over a graphical face, in the description's own colour, the scheme's text stays readable.
    constexpr Colour kGrayText = 0x80000000u | COLOR_GRAYTEXT;
    const Colour under = m_control.desc().graphical ? m_control.backColor() : kSysButtonFace;
    const COLORREF text = textOver(disabled ? kGrayText : m_control.foreColor(), under);
    SetTextColor(dc, text);
    const Typeface& face = typeface();
    RECT place = r;
    place.top += (r.bottom - r.top - int(m_lines.size()) * face.lineHeight()) / 2;
    if (down)
        OffsetRect(&place, 1, 1);
    drawLines(dc, face, m_lines, place, true);
    if ((item.itemState & ODS_FOCUS) && window().focusCuesShown() && !down)
        focusFrame(dc, r, text, m_control.desc().graphical ? 2 : 3);
}

// ---- TextBox ---------------------------------------------------------------------------------

namespace {

// Without a horizontal scroll bar long lines wrap.
DWORD listingStyle(const Control& control)
{
    const bool both = control.desc().scrollBars == ScrollBars::Both;
    return ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL
        | (both ? WS_HSCROLL | ES_AUTOHSCROLL : 0);
}

} // namespace

TextBoxView::TextBoxView(Control& control, Container& container)
    : SystemControlView(control, container, L"EDIT", listingStyle(control), WS_EX_CLIENTEDGE)
{
    // A screen reader names the listing by the caption above it, which has no window of its own.
    SetWindowSubclass(m_hwnd, named, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TextBoxView::named(
    HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    if (message == WM_GETOBJECT)
        if (LRESULT object
            = accessibleListing(*reinterpret_cast<TextBoxView*>(self), wParam, lParam))
            return object;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, named, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void TextBoxView::apply(Prop prop)
{
    View::apply(prop);
    switch (prop) {
    case Prop::Caption: SetWindowTextW(m_hwnd, toWide(m_control.text()).c_str()); break;
    case Prop::Colours:
        m_back = GdiObject<HBRUSH>(CreateSolidBrush(toColorRef(m_control.backColor())));
        InvalidateRect(m_hwnd, nullptr, TRUE);
        break;
    default: break;
    }
}

LRESULT TextBoxView::reflected(UINT message, WPARAM wParam, LPARAM, bool& handled)
{
    // A read-only edit box asks for the colours of a static one.
    handled = message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT;
    if (!handled)
        return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, toColorRef(m_control.foreColor()));
    SetBkColor(dc, toColorRef(m_control.backColor()));
    return reinterpret_cast<LRESULT>(m_back.get());
}

} // namespace gd
