#include "win32/form_window.h"

#include "core/clicks.h"
#include "win32/accessibility.h"
#include "win32/conversions.h"
#include "win32/drawing.h"

#include <algorithm>

namespace gd {

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kBuildNextPart = WM_APP + 1;
constexpr UINT kClickLater = WM_APP + 2; // wParam: the control

// The program's icon, resource 1 (src/CMakeLists.txt), at the size the system asks for.
HICON programIcon(int sizeMetric)
{
    const int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace

FormWindow::FormWindow(Form1& form, Scale scale, int dpi)
    : Container(*this, nullptr)
    , m_form(form)
    , m_scale(scale)
    , m_dpi(dpi)
    , m_fonts(dpi)
    , m_views(form.controls().size())
    , m_core(form, *this, scale, TickScheduler::steadyClock(), this)
{
    WNDCLASSEXW windowClass {};
    windowClass.hIcon = programIcon(SM_CXICON);
    windowClass.hIconSm = programIcon(SM_CXSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    // Frameless: the form draws its own title strip and buttons. A window without a caption still
    // has the system menu and the minimise box, for its task-bar button: a click there minimises
    // and restores it, its menu closes it.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    const DWORD exStyle = WS_EX_APPWINDOW;
    RECT frame = toRECT(m_scale.rect(0, 0, kForm.clientWidth, kForm.clientHeight));
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    if (!create(windowClass, exStyle, style, toWide(kForm.caption).c_str(), frame))
        return;
    // Nothing shows the focus until the keyboard is used.
    SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    m_core.buildShown();
}

FormWindow::~FormWindow()
{
    forgetAccessible();
    // The windows go before the views that answer for them.
    if (hwnd())
        DestroyWindow(hwnd());
}

// ---- Views -----------------------------------------------------------------------------------

View* FormWindow::viewOf(HWND window) const
{
    const auto found = m_byWindow.find(window);
    return found == m_byWindow.end() ? nullptr : found->second;
}

Surface* FormWindow::surface(const Control& control) const
{
    View* view = viewOf(control);
    return view ? view->surface() : nullptr;
}

// A part's views, front to back: each showing its control as the model has it, the windowed ones
// stacked just behind the nearest built sibling listed before them.
void FormWindow::build(const std::vector<Control*>& part)
{
    for (Control* c : part) {
        Container& holder = c->container() ? *viewOf(*c->container())->asContainer() : *this;
        View* view = makeView(*c, holder);
        m_views[c->index()].reset(view);
        holder.adopt(*view);
        if (HWND own = view->hwnd())
            m_byWindow[own] = view;
        for (Prop p : { Prop::Geometry, Prop::Caption, Prop::Colours, Prop::Font, Prop::Enabled })
            view->apply(p);
        view->apply(Prop::Visible);
    }
    for (Control* c : part) {
        HWND own = viewOf(*c)->hwnd();
        if (!own)
            continue;
        HWND front = HWND_TOP;
        for (const Control* f = m_core.plan().behind(*c); f; f = m_core.plan().behind(*f))
            if (HWND h = viewOf(*f)->hwnd()) {
                front = h;
                break;
            }
        SetWindowPos(own, front, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // A window made later starts with the window's focus frames as they are now.
        SendMessageW(own, WM_UPDATEUISTATE,
            MAKEWPARAM(m_cuesShown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
    }
}

void FormWindow::apply(Control& control, Prop prop) { viewOf(control)->apply(prop); }

PixelRect FormWindow::placement(const Control& control) { return viewOf(control)->rect(); }

PixelSize FormWindow::clientSize(const Control* container)
{
    return container ? viewOf(*container)->asContainer()->clientSize() : Container::clientSize();
}

void FormWindow::buildSoon() { PostMessageW(hwnd(), kBuildNextPart, 0, 0); }

bool FormWindow::screenReaderListens()
{
    BOOL listens = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &listens, 0) && listens;
}

// ---- The keyboard focus ----------------------------------------------------------------------

Control* FormWindow::focus()
{
    const HWND focused = GetFocus();
    if (focused == hwnd())
        return m_windowlessFocus;
    View* view = viewOf(focused);
    return view ? &view->control() : nullptr;
}

void FormWindow::focusWindowless(Control* control)
{
    if (control == m_windowlessFocus)
        return;
    for (Control* c : { m_windowlessFocus, control })
        if (c)
            viewOf(*c)->container().invalidate(viewOf(*c)->rect());
    m_windowlessFocus = control;
    if (control)
        accessibleFocus(viewOf(*control)->container(), *control);
}

// A frame label has no window: the form holds the focus for it and draws its frame.
void FormWindow::setFocus(Control& control, bool byTab)
{
    View* view = viewOf(control);
    if (HWND own = view->hwnd()) {
        focusWindowless(nullptr);
        SetFocus(own);
    } else {
        focusWindowless(&control);
        SetFocus(hwnd());
    }
    if (byTab)
        showFocusCues(true);
}

void FormWindow::clearFocus()
{
    focusWindowless(nullptr);
    SetFocus(hwnd());
}

// Through the window's UI state, which the system keeps as well (Alt shows the frames on
// Windows); kept here too, since Wine answers every window's WM_QUERYUISTATE with 0.
void FormWindow::showFocusCues(bool shown)
{
    if (m_cuesShown == shown)
        return;
    SendMessageW(
        hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
    cuesChanged(shown);
}

// The focused control draws its frame anew, or without it.
void FormWindow::cuesChanged(bool shown)
{
    m_cuesShown = shown;
    if (m_windowlessFocus)
        viewOf(*m_windowlessFocus)->container().invalidate(viewOf(*m_windowlessFocus)->rect());
    else if (HWND focused = GetFocus(); focused && IsChild(hwnd(), focused))
        InvalidateRect(focused, nullptr, FALSE);
}

bool FormWindow::showsFocusOn(const Control& control) const
{
    return m_windowlessFocus == &control && GetFocus() == hwnd() && m_cuesShown;
}

bool FormWindow::keyPressed(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)))
        return false;
    const FrameKey key = message.wParam == VK_TAB
        ? (GetKeyState(VK_SHIFT) < 0 ? FrameKey::Backtab : FrameKey::Tab)
        : message.wParam == VK_SPACE ? FrameKey::Space
                                     : FrameKey::Other;
    if (const auto shown = focusFramesAfter(key))
        showFocusCues(*shown);
    if (message.wParam != VK_TAB)
        return false;
    if (Control* next = m_core.keyboard().nextStop(focus(), key == FrameKey::Backtab))
        setFocus(*next, true);
    return true;
}

// ---- Input -----------------------------------------------------------------------------------

void FormWindow::click(ControlId control) { m_core.click(control); }

void FormWindow::clickLater(ControlId control)
{
    PostMessageW(hwnd(), kClickLater, WPARAM(control), 0);
}

void FormWindow::mousePressed() { showFocusCues(kFocusFramesAfterMousePress); }

void FormWindow::mouseMoved(HWND client, POINT at, Control* under, WPARAM keys)
{
    Control* receiver = mouseReceiver(under);
    // The arguments are relative to the receiving control's own top-left corner.
    POINT origin {};
    if (!receiver) {
        ClientToScreen(hwnd(), &origin);
    } else if (View* view = viewOf(*receiver); HWND own = view->hwnd()) {
        RECT frame {};
        GetWindowRect(own, &frame);
        origin = { frame.left, frame.top };
    } else {
        origin = { view->rect().x, view->rect().y };
        ClientToScreen(view->container().clientWindow(), &origin);
    }
    POINT pointer = at;
    ClientToScreen(client, &pointer);
    const int buttons = ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0)
        | ((keys & MK_MBUTTON) ? 4 : 0);
    const int shift = ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0)
        | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
    m_core.mouseMove(receiver ? receiver->id() : ControlId::Form1,
        mouseArgs(buttons, shift, { pointer.x - origin.x, pointer.y - origin.y }, m_scale));
}

// ---- The window ------------------------------------------------------------------------------

void FormWindow::start()
{
    if (!hwnd())
        return;
    m_core.startTimers();
    m_form.load();
    if (m_form.ended())
        return;
    RECT area {};
    RECT frame {};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) && GetWindowRect(hwnd(), &frame)) {
        const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
        SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - width) / 2,
            area.top + (area.bottom - area.top - height) / 2, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_started = true;
    ShowWindow(hwnd(), SW_SHOWDEFAULT); // as the program was started: a shortcut may say minimised
    seen();
    UpdateWindow(hwnd());
}

// Whether anyone can see the window: shown and not minimised.
void FormWindow::seen()
{
    if (m_started)
        m_core.sight().setWindowSeen(IsWindowVisible(hwnd()) && !IsIconic(hwnd()));
}

void FormWindow::stopTimers() { m_core.scheduler().stopAll(); }

// Moved to a screen of another density: the whole window at the new scale, where the system
// suggests, its text made afresh at the new size rather than stretched.
void FormWindow::rescale(int dpi, const RECT& suggested)
{
    if (dpi <= 0 || dpi == m_dpi)
        return;
    m_dpi = dpi;
    m_scale = { 1440.0 / dpi, 1440.0 / dpi };
    m_fonts = Fonts(dpi);
    const PixelRect client = m_scale.rect(0, 0, kForm.clientWidth, kForm.clientHeight);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, client.width, client.height,
        SWP_NOZORDER | SWP_NOACTIVATE);
    m_core.rescale(m_scale);
    RedrawWindow(
        hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void FormWindow::set(int ms)
{
    SetTimer(hwnd(), kTickTimer, static_cast<UINT>(std::max(ms, 0)), nullptr);
}

void FormWindow::cancel() { KillTimer(hwnd(), kTickTimer); }

void FormWindow::paint()
{
    paintClient([](HDC dc, const RECT& area) { fill(dc, area, toColorRef(kForm.backColor)); });
    m_core.firstFramePainted(); // what it does not show may be built from now on
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_ERASEBKGND: return 1; // WM_PAINT fills every pixel
    case WM_PAINT: paint(); return 0;
    case WM_TIMER:
        if (wParam != kTickTimer)
            break;
        // One shot: firing sets the next, or cancels it, and a timer set again replaces itself.
        m_core.scheduler().fire();
        return 0;
    case kBuildNextPart: m_core.buildNextPart(); return 0;
    case kClickLater: click(ControlId(wParam)); return 0;
    case WM_SYSCOLORCHANGE:
        // A new colour scheme, high contrast among them: everything in the scheme's colours anew.
        for (const auto& view : m_views)
            if (view)
                view->apply(Prop::Colours);
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        return 0;
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_MOVE:
        if (m_systemChanged)
            m_systemChanged();
        break;
    case WM_DPICHANGED:
        rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        if (m_systemChanged)
            m_systemChanged();
        return 0;
    case WM_SIZE:
    case WM_SHOWWINDOW: {
        const LRESULT handled = defaultHandling(message, wParam, lParam);
        seen(); // minimised, restored, hidden: before the window paints again
        return handled;
    }
    case WM_ACTIVATE:
        // The focus comes back where the user left it; a window activated with nothing focused
        // keeps the focus itself, so that nothing looks focused until the keyboard is used.
        if (LOWORD(wParam) == WA_INACTIVE) {
            m_focusBeforeLeaving = GetFocus();
        } else if (!HIWORD(wParam)) {
            const HWND back = std::exchange(m_focusBeforeLeaving, nullptr);
            SetFocus(back && (back == hwnd() || IsChild(hwnd(), back)) ? back : hwnd());
        }
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m_windowlessFocus && GetFocus() == hwnd()) {
            Control* clicked = nullptr;
            const bool taken = m_core.presses().key(*m_windowlessFocus, wParam == VK_SPACE,
                message == WM_KEYDOWN, message == WM_KEYDOWN && (lParam & (1 << 30)), clicked);
            if (clicked)
                click(clicked->id());
            if (taken)
                return 0;
        }
        break;
    case WM_UPDATEUISTATE: {
        // The system's word on the frames (Alt on Windows shows them) is the window's too.
        const LRESULT handled = defaultHandling(message, wParam, lParam);
        if (HIWORD(wParam) & UISF_HIDEFOCUS) {
            if (LOWORD(wParam) == UIS_CLEAR)
                cuesChanged(true);
            else if (LOWORD(wParam) == UIS_SET)
                cuesChanged(false);
        }
        return handled;
    }
    case WM_DESTROY:
        // Closed by the system (Alt+F4, the task bar) rather than by the program's own End: the
        // program ends as the Linux one does then, with status 0 and no question.
        if (!m_form.ended())
            PostQuitMessage(0);
        return 0;
    default:
        if (containerMessage(message, wParam, lParam, result))
            return result;
        break;
    }
    return defaultHandling(message, wParam, lParam);
}

} // namespace gd
