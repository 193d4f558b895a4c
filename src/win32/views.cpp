#include "win32/views.h"

#include "core/caption.h"
#include "core/clicks.h"
#include "core/colours.h"
#include "core/window_core.h"
#include "win32/accessibility.h"
#include "win32/conversions.h"
#include "win32/fonts.h"
#include "win32/form_window.h"
#include "win32/text.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vsstyle.h>
#include <windowsx.h>

#include <algorithm>

namespace gd {

namespace {

bool meets(const PixelRect& a, const RECT& b)
{
    return a.width > 0 && a.height > 0 && a.x < b.right && b.left < a.x + a.width && a.y < b.bottom
        && b.top < a.y + a.height;
}

bool contains(const PixelRect& r, POINT p)
{
    return p.x >= r.x && p.y >= r.y && p.x < r.x + r.width && p.y < r.y + r.height;
}

Rgb rgbShown(COLORREF c) { return { GetRValue(c), GetGValue(c), GetBValue(c) }; }

// A text's colour over its background, readable under any colour scheme (core/colours.h).
COLORREF textOver(Colour text, Colour background)
{
    const Rgb shown = readableText(
        text, rgbShown(toColorRef(text)), background, rgbShown(toColorRef(background)));
    return RGB(shown.red, shown.green, shown.blue);
}

void fill(HDC dc, const RECT& area, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A dotted focus frame, `inset` pixels in from the edges of `r`: one pixel on, two off, in the
// control's text colour, as the Linux build draws it.
void focusFrame(HDC dc, RECT r, COLORREF colour, int inset)
{
    InflateRect(&r, -inset, -inset);
    int k = 0;
    const auto dot = [&](int x, int y) {
        if (k++ % 3 == 0)
            SetPixelV(dc, x, y, colour);
    };
    for (int x = r.left; x < r.right; ++x)
        dot(x, r.top);
    for (int y = r.top + 1; y < r.bottom; ++y)
        dot(r.right - 1, y);
    for (int x = r.right - 2; x >= r.left; --x)
        dot(x, r.bottom - 1);
    for (int y = r.bottom - 2; y > r.top; --y)
        dot(r.left, y);
}

// A sunken panel's border `width` pixels wide: shade along the top and the left, light along the
// bottom and the right, each corner shared as the Linux build's panels share it.
void sunkenBorder(HDC dc, int w, int h, int width, COLORREF shade, COLORREF light)
{
    for (int i = 0; i < width; ++i) {
        fill(dc, { 0, i, w - 1 - i, i + 1 }, shade);         // top
        fill(dc, { i, width - i, i + 1, h - 1 }, shade);     // left
        fill(dc, { i, h - 1 - i, w, h - i }, light);         // bottom
        fill(dc, { w - 1 - i, i, w - i, h - width }, light); // right
    }
}

} // namespace

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
            repaint(was);
            repaint(m_rect);
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
    if (w > 0 && h > 0) {
        Bitmap buffer({ w, h });
        MemoryDC dc(buffer.handle());
        SetViewportOrgEx(dc.get(), -area.left, -area.top, nullptr);
        background(dc.get(), area);
        paintViews(dc.get(), area);
        SetViewportOrgEx(dc.get(), 0, 0, nullptr);
        BitBlt(screen, area.left, area.top, w, h, dc.get(), 0, 0, SRCCOPY);
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
        const RECT all { 0, 0, m_rect.width, m_rect.height };
        fill(m_surfaceDC.get(), all, toColorRef(m_control.backColor()));
        if (const Bitmap& picture = m_picture.at(View::window().pictureScale())) {
            MemoryDC from(picture.handle());
            BitBlt(m_surfaceDC.get(), 0, 0, picture.size().width, picture.size().height, from.get(),
                0, 0, SRCCOPY);
        }
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

// The background, what was drawn on the surface or else the box's picture, and the windowless
// controls on it.
void PictureBoxView::paint()
{
    paintClient([this](HDC dc, const RECT& area) {
        fill(dc, area, toColorRef(m_control.backColor()));
        if (m_surface) {
            // The surface has the box's outer size, from the client area's corner.
            BitBlt(dc, 0, 0, m_rect.width, m_rect.height, m_surfaceDC.get(), 0, 0, SRCCOPY);
        } else if (const Bitmap& picture = m_picture.at(View::window().pictureScale())) {
            MemoryDC from(picture.handle());
            BitBlt(
                dc, 0, 0, picture.size().width, picture.size().height, from.get(), 0, 0, SRCCOPY);
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
    const COLORREF text
        = disabled ? GetSysColor(COLOR_GRAYTEXT) : toColorRef(m_control.foreColor());
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
        focusFrame(dc, toRECT(m_rect), text, 0);
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
        MemoryDC scaled(m_scaled.handle());
        BitBlt(dc, m_rect.x, m_rect.y, m_rect.width, m_rect.height, scaled.get(), 0, 0, SRCCOPY);
    } else {
        const Bitmap& shown = m_picture.at(window().pictureScale());
        MemoryDC from(shown.handle());
        BitBlt(dc, m_rect.x, m_rect.y, shown.size().width, shown.size().height, from.get(), 0, 0,
            SRCCOPY);
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
